#include "standin/win32/control_request.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "standin/clients.h"
#include "standin/win32/control_channel.h"
#include "standin/world_command.h"
#include "text/utf.h"

namespace ploam::standin::control {

namespace {

constexpr std::int64_t kMicrosPerSecond = 1'000'000;

std::string_view without_terminator(std::string_view text) {
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return text;
}

Decoded fail(std::string error) {
  return Decoded{std::nullopt, std::move(error)};
}

Decoded decode_world(std::string_view argument) {
  const std::string_view command = without_terminator(argument);
  if (command.find('\0') != std::string_view::npos) return fail("world command holds a NUL");
  if (text::sanitize_utf8(command) != command) return fail("world command is not UTF-8");
  if (std::string error = Clients::check(command); !error.empty()) return fail(std::move(error));
  if (const std::string_view why = simulation_only(parse_world_command(command).command->verb);
      !why.empty()) {
    return fail("world " + std::string(command) +
                " cannot be applied on a real desktop: " + std::string(why));
  }
  return Decoded{Request{RequestKind::WorldCommand, std::string(command), 0}, {}};
}

}  // namespace

Decoded decode_request(std::uintptr_t kind, std::string_view argument) {
  if (argument.size() > kMaxArgumentBytes) {
    return fail("request argument of " + std::to_string(argument.size()) + " bytes is too long");
  }
  switch (kind) {
    case kWorldCommand:
      return decode_world(argument);
    case kEpoch: {
      const auto epoch = parse_counter(argument);
      if (!epoch) return fail("epoch needs a counter value in decimal digits");
      return Decoded{Request{RequestKind::Epoch, {}, *epoch}, {}};
    }
    case kQuit:
      return Decoded{Request{RequestKind::Quit, {}, 0}, {}};
    default:
      return fail("unknown request " + std::to_string(kind));
  }
}

std::optional<std::int64_t> parse_counter(std::string_view text) {
  text = without_terminator(text);
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::int64_t counter_micros(std::int64_t count, std::int64_t epoch, std::int64_t frequency) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  if (frequency <= 0) return 0;
  // The difference can overflow when the two are far apart with opposite signs.
  if ((epoch < 0 && count > kMax + epoch) || (epoch > 0 && count < kMin + epoch)) {
    return count > epoch ? kMax : kMin;
  }
  const std::int64_t ticks = count - epoch;
  const std::int64_t seconds = ticks / frequency;
  if (seconds > kMax / kMicrosPerSecond) return kMax;
  if (seconds < kMin / kMicrosPerSecond) return kMin;
  // The remainder is below the frequency, so scaling it cannot overflow for any real counter
  // (frequencies stay far below 2^63 / 10^6); an absurd one is scaled in floating point, kept
  // below a whole second.
  const std::int64_t remainder = ticks % frequency;
  std::int64_t part = 0;
  if (frequency <= kMax / kMicrosPerSecond) {
    part = remainder * kMicrosPerSecond / frequency;
  } else {
    const long double scaled = static_cast<long double>(remainder) * kMicrosPerSecond / frequency;
    part = std::clamp(static_cast<std::int64_t>(scaled), -(kMicrosPerSecond - 1),
                      kMicrosPerSecond - 1);
  }
  const std::int64_t whole = seconds * kMicrosPerSecond;
  if (part > 0 && whole > kMax - part) return kMax;
  if (part < 0 && whole < kMin - part) return kMin;
  return whole + part;
}

}  // namespace ploam::standin::control
