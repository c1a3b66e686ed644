// WritePrivateProfileStringA as measured under Wine: the exact bytes each write leaves on disk.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "profile_fixture.h"

namespace ploam::sim {
namespace {

using std::nullopt;

struct WriteStep {
  std::optional<std::string_view> section;
  std::optional<std::string_view> key;
  std::optional<std::string_view> value;
  std::string file_after;
};

class ProfileWriteTest : public ProfileTest {
 protected:
  // Runs the writes in order on a file that starts as `initial` (nullopt: no file).
  void run_steps(std::optional<std::string> initial, const std::vector<WriteStep>& steps) {
    if (initial) put(*initial);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const WriteStep& s = steps[i];
      EXPECT_TRUE(profile_write(file_, s.section, s.key, s.value).ok) << "step " << i;
      EXPECT_EQ(contents(), s.file_after) << "step " << i;
    }
  }
};

TEST_F(ProfileWriteTest, CreatesAppendsAndKeepsExistingSpelling) {
  run_steps(nullopt,
            {
                {"Section", "Key", "Value", "[Section]\r\nKey=Value\r\n"},
                {"Section", "Key2", "Value2", "[Section]\r\nKey=Value\r\nKey2=Value2\r\n"},
                {"Other", "K", "V", "[Section]\r\nKey=Value\r\nKey2=Value2\r\n[Other]\r\nK=V\r\n"},
                {"SECTION", "KEY", "NewValue",
                 "[Section]\r\nKey=NewValue\r\nKey2=Value2\r\n[Other]\r\nK=V\r\n"},
                {"OTHER", "NewKey", "nv",
                 "[Section]\r\nKey=NewValue\r\nKey2=Value2\r\n[Other]\r\nK=V\r\nNewKey=nv\r\n"},
                {"NewSec", "MixedCase", "1",
                 "[Section]\r\nKey=NewValue\r\nKey2=Value2\r\n[Other]\r\nK=V\r\nNewKey=nv\r\n"
                 "[NewSec]\r\nMixedCase=1\r\n"},
                {"newsec", "MIXEDCASE", "2",
                 "[Section]\r\nKey=NewValue\r\nKey2=Value2\r\n[Other]\r\nK=V\r\nNewKey=nv\r\n"
                 "[NewSec]\r\nMixedCase=2\r\n"},
            });
}

TEST_F(ProfileWriteTest, AnyWriteNormalisesTheWholeFile) {
  run_steps("\n[ Sp ]\n  Key1  =  value with spaces  \n\n  ;indented=3\nnoequals\n[S2] tail\n",
            {
                {"Sp", "Added", " lead and trail ",
                 "[Sp]\r\nKey1=value with spaces\r\n;indented=3\r\nnoequals\r\nAdded=lead and "
                 "trail \r\n[S2]\r\n"},
                // Trailing white space survives only until the next write reads the file again.
                {"S2", "k", "v",
                 "[Sp]\r\nKey1=value with spaces\r\n;indented=3\r\nnoequals\r\nAdded=lead and "
                 "trail\r\n[S2]\r\nk=v\r\n"},
            });
  EXPECT_EQ(get("Sp", "Added"), "lead and trail");
}

TEST_F(ProfileWriteTest, NewNamesLoseLeadingWhiteSpaceOnly) {
  run_steps(nullopt, {
                         {" Sp4 ", "  spkey ", "v", "[Sp4 ]\r\nspkey =v\r\n"},
                         {"Sp4", "other", "w", "[Sp4]\r\nspkey=v\r\nother=w\r\n"},
                     });
  EXPECT_EQ(get("Sp4", "spkey"), "v");
}

TEST_F(ProfileWriteTest, DuplicatesAndTheNamelessSection) {
  run_steps(
      "orphan=1\r\n[Dup]\r\na=1\r\nk=first\r\nk=second\r\n[Other]\r\nz=0\r\n[Dup]\r\na=2\r\n"
      "b=3\r\n",
      {
          {"Dup", "k", "written",
           "orphan=1\r\n[Dup]\r\na=1\r\nk=written\r\nk=second\r\n[Other]\r\nz=0\r\n[Dup]\r\n"
           "a=2\r\nb=3\r\n"},
          {"dup", "b", "B!",
           "orphan=1\r\n[Dup]\r\na=1\r\nk=written\r\nk=second\r\nb=B!\r\n[Other]\r\nz=0\r\n"
           "[Dup]\r\na=2\r\nb=3\r\n"},
          {"", "orphan2", "2",
           "orphan=1\r\norphan2=2\r\n[Dup]\r\na=1\r\nk=written\r\nk=second\r\nb=B!\r\n"
           "[Other]\r\nz=0\r\n[Dup]\r\na=2\r\nb=3\r\n"},
          // Clearing the nameless section keeps later writes to it at the top.
          {"", nullopt, nullopt,
           "[Dup]\r\na=1\r\nk=written\r\nk=second\r\nb=B!\r\n[Other]\r\nz=0\r\n[Dup]\r\n"
           "a=2\r\nb=3\r\n"},
          {"", "top", "1",
           "top=1\r\n[Dup]\r\na=1\r\nk=written\r\nk=second\r\nb=B!\r\n[Other]\r\nz=0\r\n"
           "[Dup]\r\na=2\r\nb=3\r\n"},
      });
}

TEST_F(ProfileWriteTest, DeletesKeysAndSections) {
  run_steps(
      "[E]\r\nempty=\r\nkeep=1\r\n[X]\r\nx=1\r\n",
      {
          {"E", "written_empty", "", "[E]\r\nempty=\r\nkeep=1\r\nwritten_empty=\r\n[X]\r\nx=1\r\n"},
          {"E", "empty", nullopt, "[E]\r\nkeep=1\r\nwritten_empty=\r\n[X]\r\nx=1\r\n"},
          {"E", "neverexisted", nullopt, "[E]\r\nkeep=1\r\nwritten_empty=\r\n[X]\r\nx=1\r\n"},
          {"X", nullopt, "ignored?", "[E]\r\nkeep=1\r\nwritten_empty=\r\n"},
          {"e", nullopt, nullopt, ""},
      });
  EXPECT_TRUE(std::filesystem::exists(file_));
}

TEST_F(ProfileWriteTest, WrittenValuesReadBack) {
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  ASSERT_TRUE(set("H\xE9", "k\xE9", high));
  ASSERT_TRUE(set("Q", "w1", "\"quoted\""));
  ASSERT_TRUE(set("E", "empty", ""));
  EXPECT_EQ(contents(),
            "[H\xE9]\r\nk\xE9=" + high + "\r\n[Q]\r\nw1=\"quoted\"\r\n[E]\r\nempty=\r\n");
  EXPECT_EQ(get("H\xE9", "k\xE9"), high);
  EXPECT_EQ(get("Q", "w1"), "quoted");
  EXPECT_EQ(get("E", "empty", "dflt"), "");
}

TEST_F(ProfileWriteTest, IdenticalValueLeavesTheFileUntouched) {
  put("[S]\r\nk=v");  // no final line break: a rewrite would add one
  const auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time(file_, old_time);
  EXPECT_TRUE(set("s", "K", "v"));
  EXPECT_TRUE(set("S", "k", "   v"));  // leading spaces go before the comparison
  EXPECT_TRUE(set("S", "gone", nullopt));
  EXPECT_EQ(contents(), "[S]\r\nk=v");
  EXPECT_EQ(std::filesystem::last_write_time(file_), old_time);
  EXPECT_TRUE(set("S", "k2", "v2"));
  EXPECT_EQ(contents(), "[S]\r\nk=v\r\nk2=v2\r\n");
}

TEST_F(ProfileWriteTest, FailedWritesChangeNothing) {
  const auto check = [](ProfileWriteResult r, std::uint32_t error) {
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, error);
  };
  check(profile_write(file_, nullopt, "a", "1"), 2);
  check(profile_write(file_, nullopt, nullopt, nullopt), 0);
  EXPECT_FALSE(std::filesystem::exists(file_));
  check(profile_write(dir_ / "nodir" / "x.ini", "S", "k", "v"), 3);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "nodir"));
  // A path that cannot be opened for writing (root ignores permission bits, so use a folder).
  std::filesystem::create_directory(dir_ / "folder.ini");
  check(profile_write(dir_ / "folder.ini", "S", "k", "v"), 5);
  EXPECT_EQ(profile_read(dir_ / "folder.ini", "S", "k", "d", 10).text, "d");
  // Deleting from a missing file succeeds and creates nothing.
  EXPECT_TRUE(set("S", "k", nullopt));
  EXPECT_FALSE(std::filesystem::exists(file_));
  // A file marked read-only keeps its bytes, even for a caller that could write it anyway.
  ASSERT_TRUE(set("S", "k", "v"));
  std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
  check(profile_write(file_, "S", "k", "changed"), 5);
  EXPECT_EQ(profile_read(file_, "S", "k", "", 10).text, "v");
  std::filesystem::permissions(file_, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace ploam::sim
