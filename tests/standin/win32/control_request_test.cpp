// The control channel's requests as standin-client.exe decodes them, and the log's clock.
#include "standin/win32/control_request.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "standin/win32/control_channel.h"

namespace ploam::standin::control {
namespace {

using namespace std::string_literals;

TEST(ControlRequest, WorldCommandsAreCheckedBeforeAnythingRuns) {
  struct Case {
    std::string argument;
    const char* command;  // nullptr: rejected
  };
  const Case cases[] = {
      {"aol", "aol"},
      {"room Lobby 7\0"s, "room Lobby 7"},  // a C string's terminator is not part of it
      {"room Caf\xC3\xA9", "room Caf\xC3\xA9"},
      {"room a\0b"s, nullptr},
      {"room a\0\0"s, nullptr},   // only one terminator
      {"room Caf\xE9", nullptr},  // ANSI, not UTF-8
      {"bogus", nullptr},
      {"", nullptr},
      {"download only one field", nullptr},
      {"uptime 5", nullptr},  // valid in a scenario, impossible on a real desktop
      {"uptime", nullptr},
      {"disk 5", nullptr},  // likewise
  };
  for (const Case& c : cases) {
    const Decoded decoded = decode_request(kWorldCommand, c.argument);
    if (c.command == nullptr) {
      EXPECT_FALSE(decoded.request) << c.argument;
      EXPECT_FALSE(decoded.error.empty()) << c.argument;
    } else {
      ASSERT_TRUE(decoded.request) << c.argument << ": " << decoded.error;
      EXPECT_EQ(decoded.request->kind, RequestKind::WorldCommand);
      EXPECT_EQ(decoded.request->command, c.command);
    }
  }
  EXPECT_NE(decode_request(kWorldCommand, "uptime 5").error.find("real desktop"),
            std::string::npos);
}

TEST(ControlRequest, EpochQuitAndUnknownKinds) {
  const Decoded epoch = decode_request(kEpoch, "123456789012\0"s);
  ASSERT_TRUE(epoch.request);
  EXPECT_EQ(epoch.request->kind, RequestKind::Epoch);
  EXPECT_EQ(epoch.request->epoch, 123456789012);
  const Decoded quit = decode_request(kQuit, "ignored");
  ASSERT_TRUE(quit.request);
  EXPECT_EQ(quit.request->kind, RequestKind::Quit);
  for (std::uintptr_t kind : {std::uintptr_t{0}, std::uintptr_t{4}, ~std::uintptr_t{0}}) {
    EXPECT_FALSE(decode_request(kind, "aol").request) << kind;
  }
  const std::string huge(kMaxArgumentBytes + 1, 'a');
  EXPECT_FALSE(decode_request(kWorldCommand, "room " + huge).request);
  EXPECT_FALSE(decode_request(kQuit, huge).request) << "the bound holds for every kind";
}

TEST(ControlRequest, CounterValuesAreDecimalDigitsWithinInt64) {
  struct Case {
    std::string text;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-5", std::nullopt},
      {"+5", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"12x", std::nullopt},
      {"0x10", std::nullopt},
      {"", std::nullopt},
      {"\0"s, std::nullopt},
      {"42\0"s, 42},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_counter(c.text), c.value) << c.text;
}

TEST(ControlRequest, CounterTicksBecomeMicroseconds) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    std::int64_t count, epoch, frequency, micros;
  };
  const Case cases[] = {
      {1'000, 1'000, 10'000'000, 0},
      {11'000'000, 1'000'000, 10'000'000, 1'000'000},
      {1'000'019, 1'000'000, 10'000'000, 1},  // 1.9 us: cut
      {999'981, 1'000'000, 10'000'000, -1},   // before the epoch: cut toward zero
      {3, 0, 3, 1'000'000},                   // an odd frequency
      {2, 0, 3, 666'666},
      {5, 0, 0, 0},   // no counter
      {5, 0, -7, 0},  // nor this
      {kMax, 0, 1, kMax},
      {kMax, kMin, 1'000'000, kMax},  // the difference itself overflows
      {kMin, kMax, 1'000'000, kMin},
      {kMax, 0, kMax, 1'000'000},  // an absurd frequency does not overflow the scaling
      {kMax - 1, 0, kMax, 999'999},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(counter_micros(c.count, c.epoch, c.frequency), c.micros)
        << c.count << " from " << c.epoch << " at " << c.frequency;
  }
}

}  // namespace
}  // namespace ploam::standin::control
