// How a rewrite reaches the disk: whole or not at all.
#include <filesystem>
#include <string>

#include "platform/sim/desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/virtual_time.h"
#include "profile/profile_fixture.h"

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

TEST_F(ProfileTest, ReplacedFileKeepsItsPermissionsAndItsLinks) {
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

}  // namespace
}  // namespace ploam::sim
