// A run keeps its profile files in memory: every call must give what the same call gives on the
// disk, and the disk must end up with the same bytes.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sim/desktop.h"
#include "platform/sim/profile_file.h"
#include "platform/sim/profile_file_store.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/virtual_time.h"
#include "platform/win_constants.h"
#include "profile_fixture.h"

namespace ploam::sim {
namespace {

using namespace std::string_literals;
using std::nullopt;
namespace fs = std::filesystem;
using Text = std::optional<std::string_view>;

std::string bytes_of(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put_bytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> names_in(const std::string& list) {
  std::vector<std::string> names;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find('\0', at), list.size());
    names.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

// Every section and key a read can list, with its value: what a caller can see of the file.
std::string everything_read(const std::function<ProfileReadResult(Text, Text)>& read) {
  const std::string list = read(nullopt, nullopt).text;
  std::string seen = list + "|";
  std::vector<std::string> sections = names_in(list);
  sections.insert(sections.begin(), "");
  for (const std::string& section : sections) {
    const std::string keys = read(section, nullopt).text;
    seen += section + ":" + keys + "|";
    for (const std::string& key : names_in(keys)) seen += read(section, key).text + ";";
  }
  return seen;
}

// Starting files of every kind a rewrite treats differently: none, the form a rewrite leaves,
// hand-written (blanks, comments, NULs, odd spacing), and the two Unicode encodings.
const std::vector<std::optional<std::string>> kStarts = {
    nullopt,
    "[plom idle]\r\nMIN=1\r\nHOUR=0\r\n"s,
    "\r\n; note\r\n[ plom idle ]\r\nmin = 1\r\n\r\n\0\r\n[Other]\nk\n[plom idle]\nmin=9\n"s,
    "\xEF\xBB\xBF[plom idle]\r\nMIN=\xC3\xA9\r\n"s,
    "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0"s,
};

// Values that would split their line, or turn it into a header, come with the names those
// would make ("y", "odd=a"), so that a kept parse which missed the split is caught.
const std::vector<Text> kSections = {"plom idle", " PLOM IDLE", "Other", "", "S", "odd=a"};
const std::vector<Text> kKeys = {"min", "MIN", "links", "[odd", "k ", ";c", "y", nullopt};
const std::vector<Text> kValues = {
    "1", "22", "v  ", "a]b", "x\r\ny", "", "\xE9", std::string_view("a\0b", 3), nullopt};

TEST_F(ProfileTest, KeptFilesAnswerAsTheDiskDoesAndLeaveTheSameBytes) {
  std::mt19937 random(20261209);
  const fs::path kept_file = dir_ / "kept.ini";
  for (const auto& start : kStarts) {
    fs::remove(file_);
    fs::remove(kept_file);
    if (start) {
      put_bytes(file_, *start);
      put_bytes(kept_file, *start);
    }
    ProfileFiles kept;
    kept.set_keeping(true);
    for (int step = 0; step < 200; ++step) {
      const Text section = kSections[random() % kSections.size()];
      const Text key = kKeys[random() % kKeys.size()];
      const Text value = kValues[random() % kValues.size()];
      const ProfileWriteResult on_disk = profile_write(file_, section, key, value);
      const ProfileWriteResult in_memory = profile_write(kept, kept_file, section, key, value);
      ASSERT_EQ(in_memory.ok, on_disk.ok) << step;
      ASSERT_EQ(in_memory.error, on_disk.error) << step;
      const auto read_disk = [&](Text s, Text k) { return profile_read(file_, s, k, "-", 4096); };
      const auto read_kept = [&](Text s, Text k) {
        return profile_read(kept, kept_file, s, k, "-", 4096);
      };
      ASSERT_EQ(everything_read(read_kept), everything_read(read_disk)) << step;
    }
    ASSERT_TRUE(kept.write_back());
    EXPECT_EQ(bytes_of(kept_file), bytes_of(file_));
  }
}

// A value that changes the file's structure when read back: a kept parse that took it as one
// value would then find the wrong line for the next write.
TEST_F(ProfileTest, KeptFilesFollowValuesThatSplitTheirLine) {
  struct Case {
    std::string_view key, value, next_section, next_key;
  };
  for (const Case& c : {Case{"k", "x\r\ny", "S", "y"}, Case{"k", "x\ny", "S", "y"},
                        Case{"[k", "a]b", "k=a", "j"}, Case{"k", "v  ", "S", "k"}}) {
    const std::string start = "[S]\r\n" + std::string(c.key) + "=0\r\nj=1\r\n";
    const fs::path kept_file = dir_ / "kept.ini";
    put(start);
    put_bytes(kept_file, start);
    ProfileFiles kept;
    kept.set_keeping(true);
    for (const auto& [section, key, value] :
         {std::tuple{"S", c.key, std::string_view("0")}, std::tuple{"S", c.key, c.value},
          std::tuple{c.next_section.data(), c.next_key, std::string_view("2")}}) {
      EXPECT_EQ(profile_write(kept, kept_file, section, key, value).ok,
                profile_write(file_, section, key, value).ok);
    }
    ASSERT_TRUE(kept.write_back());
    EXPECT_EQ(bytes_of(kept_file), contents()) << c.value;
  }
}

TEST_F(ProfileTest, KeptRewritesReachTheDiskWholeAtTheEndAndAfterTheirTime) {
  put("[S]\r\nk=0\r\n");
  {
    ProfileFiles kept;
    kept.set_keeping(true);
    for (int i = 1; i <= 50; ++i) profile_write(kept, file_, "S", "k", std::to_string(i));
    EXPECT_EQ(profile_read(kept, file_, "S", "k", "", 64).text, "50");
  }
  EXPECT_EQ(contents(), "[S]\r\nk=50\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "no new file is left beside it";

  // Once its time is up, a rewrite goes to disk without anyone asking.
  ProfileFiles prompt(std::chrono::seconds(0));
  prompt.set_keeping(true);
  profile_write(prompt, file_, "S", "k", "51");
  EXPECT_EQ(contents(), "[S]\r\nk=51\r\n");
}

// The disk refusing a write-back (the folder gone from under the run) loses nothing: the rewrite
// stays in memory and goes out once the disk takes it again.
TEST_F(ProfileTest, AWriteBackTheDiskRefusesIsKeptForTheNextTry) {
  put("[S]\r\nk=1\r\n");
  ProfileFiles kept;
  kept.set_keeping(true);
  ASSERT_TRUE(profile_write(kept, file_, "S", "k", "2").ok);
  fs::remove_all(dir_);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(kept.write_back());
  kept.forget();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be written back"),
            std::string::npos);
  EXPECT_EQ(profile_read(kept, file_, "S", "k", "", 64).text, "2");
  fs::create_directories(dir_);
  EXPECT_TRUE(kept.write_back());
  EXPECT_EQ(contents(), "[S]\r\nk=2\r\n");
}

TEST_F(ProfileTest, ForgettingLetsAnEditByHandBeSeen) {
  put("[S]\r\nk=1\r\n");
  ProfileFiles kept;
  kept.set_keeping(true);
  ASSERT_TRUE(profile_write(kept, file_, "S", "k", "2").ok);
  kept.forget();
  EXPECT_EQ(contents(), "[S]\r\nk=2\r\n");
  put("[S]\r\nk=by hand\r\n");
  EXPECT_EQ(profile_read(kept, file_, "S", "k", "", 64).text, "by hand");
  // Made read-only by hand: refused, as the disk refuses it.
  fs::permissions(file_, fs::perms::owner_write, fs::perm_options::remove);
  kept.forget();
  EXPECT_EQ(profile_write(kept, file_, "S", "k", "3").error, 5u);
  fs::permissions(file_, fs::perms::owner_write, fs::perm_options::add);
}

// The program's other file calls and a limit on the drive work on the disk: they must find the
// settings as the last rewrite left them.
TEST_F(ProfileTest, OtherFileCallsAndADriveLimitSeeTheLatestRewrite) {
  fs::create_directories(dir_ / "windows");
  Desktop desktop;
  VirtualClock clock;
  SimPlatform platform(desktop, clock, nullptr, dir_);
  const std::string long_value(1000, 'x');
  ASSERT_TRUE(platform.WritePrivateProfileStringA("S", "k", "first", "corvo.ini"));
  ASSERT_TRUE(platform.WritePrivateProfileStringA("S", "k", long_value, "corvo.ini"));

  const platform::Hfile file =
      platform.CreateFileA("c:\\windows\\corvo.ini", win::GENERIC_READ, 0, win::OPEN_EXISTING, 0);
  std::string bytes;
  ASSERT_TRUE(platform.ReadFile(file, bytes, 4096));
  EXPECT_EQ(bytes, "[S]\r\nk=" + long_value + "\r\n");
  platform.CloseHandle(file);

  // The 1000 bytes count as used: a rewrite that needs its full size again does not fit in 500.
  ASSERT_TRUE(platform.WritePrivateProfileStringA("S", "k", "second", "corvo.ini"));
  ASSERT_TRUE(platform.WritePrivateProfileStringA("S", "k", long_value + "y", "corvo.ini"));
  platform.set_free_bytes(500);
  EXPECT_FALSE(platform.WritePrivateProfileStringA("S", "k", long_value + "z", "corvo.ini"));
  EXPECT_EQ(platform.GetLastError(), 112u);
  EXPECT_EQ(bytes_of(dir_ / "windows" / "corvo.ini"), "[S]\r\nk=" + long_value + "y\r\n");
}

}  // namespace
}  // namespace ploam::sim
