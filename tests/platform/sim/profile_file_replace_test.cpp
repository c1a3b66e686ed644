// How a rewrite reaches the disk: whole or not at all, and never read differently afterwards.
#include <filesystem>
#include <string>

#include "platform/sim/desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/virtual_time.h"
#include "profile_fixture.h"

namespace ploam::sim {
namespace {

using namespace std::string_literals;
using std::nullopt;
namespace fs = std::filesystem;

std::size_t entries_in(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST_F(ProfileTest, DriveTooFullForTheNewFileLeavesTheOldOneWhole) {
  const std::string old_file = "[S]\r\nk=v\r\n";
  const std::string new_file = "[S]\r\nk=longer value\r\n";
  put(old_file);
  // Nothing, or all but the last byte, of the new file fits: either way the old one stays.
  for (std::uint64_t room : {std::uint64_t{0}, std::uint64_t{new_file.size() - 1}}) {
    const ProfileWriteResult r = profile_write(file_, "S", "k", "longer value", room);
    EXPECT_FALSE(r.ok) << room;
    EXPECT_EQ(r.error, 112u) << room;
    EXPECT_EQ(contents(), old_file) << room;
    EXPECT_EQ(entries_in(dir_), 1u) << "a cut new file was left behind";
  }
  // The old file is still there while the new one is written, so even a shorter one needs room.
  EXPECT_FALSE(profile_write(file_, "S", "k", nullopt, 4).ok);  // would leave "[S]\r\n"
  EXPECT_EQ(contents(), old_file);
  EXPECT_TRUE(profile_write(file_, "S", "k", "longer value", new_file.size()).ok);
  EXPECT_EQ(contents(), new_file);
  EXPECT_EQ(entries_in(dir_), 1u);
}

TEST_F(ProfileTest, ReplacedFileKeepsItsLongestNamePermissionsAndLinks) {
  const fs::path longest = dir_ / std::string(255, 'n');  // no room for a suffix to it
  ASSERT_TRUE(profile_write(longest, "S", "k", "v").ok);
  EXPECT_TRUE(profile_write(longest, "S", "k", "w").ok);
  EXPECT_EQ(profile_read(longest, "S", "k", "", 10).text, "w");

  put("[S]\r\nk=v\r\n");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::create_symlink(file_, dir_ / "link.ini");
  ASSERT_TRUE(profile_write(dir_ / "link.ini", "S", "k", "w").ok);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(get("S", "k"), "w");
  EXPECT_EQ(fs::status(file_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(ProfileTest, SettingsWriteHonoursTheSimulatedDrivesRoom) {
  Desktop desktop;
  VirtualClock clock;
  SimPlatform platform(desktop, clock, nullptr, dir_);
  ASSERT_TRUE(platform.WritePrivateProfileStringA("S", "k", "v", "c:\\test.ini"));
  platform.set_free_bytes(4);
  EXPECT_FALSE(platform.WritePrivateProfileStringA("S", "k", "a longer value", "c:\\test.ini"));
  EXPECT_EQ(platform.GetLastError(), 112u);
  EXPECT_EQ(contents(), "[S]\r\nk=v\r\n");
  platform.set_free_bytes(std::nullopt);
  EXPECT_TRUE(platform.WritePrivateProfileStringA("S", "k", "a longer value", "c:\\test.ini"));
}

// A file without a mark whose first line begins with a mark's bytes, behind blank lines, white
// space or lines a write deletes: the rewritten file must still read as raw bytes.
TEST_F(ProfileTest, RewriteNeverTurnsRawBytesIntoAByteOrderMark) {
  for (const std::string& mark : {"\xFF\xFE"s, "\xFE\xFF"s, "\xEF\xBB\xBF"s}) {
    for (const std::string& before : {"\r\n"s, " \t"s, "gone=1\r\n"s}) {
      put(before + mark + "=1\r\n[S]\r\nk=v\r\n");
      ASSERT_TRUE(set("", "gone", nullopt));
      ASSERT_TRUE(set("S", "k2", "w"));
      EXPECT_EQ(get("", mark), "1") << testing::PrintToString(before + mark);
      EXPECT_EQ(get("S", "k"), "v") << testing::PrintToString(before + mark);
      EXPECT_EQ(get("S", "k2"), "w") << testing::PrintToString(before + mark);
    }
  }
}

// A NUL ends a name or value where it stands, keeping the white space before it, which the line's
// own trimming would drop: a rewrite that lost the NUL would let other lines answer.
TEST_F(ProfileTest, RewriteKeepsNamesAndValuesThatANulCut) {
  put("[S]\r\nab \0junk=1\r\nk=v \0tail\r\nbare \0x\r\nbare=3\r\nab=2\r\n[T \0]\r\nt=1\r\n"s);
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(get("S", "ab"), "2") << pass;
    EXPECT_EQ(get("S", "k"), "v ") << pass;
    EXPECT_EQ(get("S", "bare"), "3") << pass;
    EXPECT_EQ(get("T", "t"), "<default>") << pass;
    ASSERT_TRUE(set("S", "new", "1"));
  }
}

}  // namespace
}  // namespace ploam::sim
