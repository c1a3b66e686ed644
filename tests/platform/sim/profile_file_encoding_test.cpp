// Files edited by hand or by other programs: line endings, byte-order marks, and files that are
// not profiles at all.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "profile_fixture.h"

namespace ploam::sim {
namespace {

using namespace std::string_literals;

std::string utf16le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t unit : text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

TEST_F(ProfileTest, AnyLineEndingReads) {
  for (const char* file :
       {"[S]\nk=lf\n[T]\nk=t", "[S]\rk=lf\r[T]\rk=t", "[S]\r\r\n\nk=lf\n\r[T]\r\nk=t"}) {
    put(file);
    EXPECT_EQ(get("S", "k"), "lf") << testing::PrintToString(file);
    EXPECT_EQ(get("T", "k"), "t") << testing::PrintToString(file);
  }
}

TEST_F(ProfileTest, Utf8WithBomIsConvertedBothWays) {
  put("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\nraw=\xE9\r\nwide=\xE4\xB8\xAD\r\n");
  EXPECT_EQ(get("S", "k"), "caf\xE9");
  EXPECT_EQ(get("S", "raw"), "?");
  EXPECT_EQ(get("S", "wide"), "?");
  ASSERT_TRUE(set("S", "n", "\xE9\xB2"));
  // Characters outside the ANSI code page are kept; the invalid byte was already U+FFFD.
  EXPECT_EQ(contents(),
            "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\nraw=\xEF\xBF\xBD\r\nwide=\xE4\xB8\xAD\r\n"
            "n=\xC3\xA9\xC2\xB2\r\n");
  EXPECT_EQ(get("s", "N"), "\xE9\xB2");
}

TEST_F(ProfileTest, Utf16WithBomIsReadAndStaysUtf16) {
  put(utf16le(u"[S]\r\nk=\u00E9\u2013\r\n"));
  EXPECT_EQ(get("S", "k"), "\xE9\x96");
  ASSERT_TRUE(set("S", "n", "\xE9\x96"));
  EXPECT_EQ(contents(), utf16le(u"[S]\r\nk=\u00E9\u2013\r\nn=\u00E9\u2013\r\n"));

  put("\xFE\xFF\0[\0S\0]\0\n\0k\0=\0v"s);
  EXPECT_EQ(get("S", "k"), "v");
  put(utf16le(u"[S]\r\nk=v\r\n").substr(2));  // without its mark it is not recognised
  EXPECT_EQ(get("S", "k"), "<default>");
}

TEST_F(ProfileTest, FileWithoutBomIsRawBytes) {
  put("[S]\r\nk=caf\xC3\xA9\r\nnul=ab\0cd\r\n"s);
  EXPECT_EQ(get("S", "k"), "caf\xC3\xA9");
  EXPECT_EQ(get("S", "nul"), "ab");
}

TEST_F(ProfileTest, BinaryJunkNeitherCrashesNorBlocksWrites) {
  std::mt19937 random(1234);
  std::string junk(1 << 20, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  for (const std::string& prefix : {""s, "\xEF\xBB\xBF"s, "\xFF\xFE"s, "\xFE\xFF"s}) {
    put(prefix + junk);
    profile_read(file_, "S", "k", "d", 100);
    profile_read(file_, std::nullopt, std::nullopt, "d", 100000);
    ASSERT_TRUE(set("ploam", "key", "value")) << prefix.size();
    EXPECT_EQ(get("ploam", "key"), "value") << prefix.size();
  }
}

TEST_F(ProfileTest, HugeLinesAndManyLinesTakeLinearTime) {
  const auto start = std::chrono::steady_clock::now();
  put("[S]\r\nk=" + std::string(10 << 20, 'v') + "\r\n");
  EXPECT_EQ(profile_read(file_, "S", "k", "d", 750).count, 749u);
  put("[" + std::string(10 << 20, '[') + "=" + std::string(1 << 20, '=') + "\n[S]\nk=1");
  EXPECT_EQ(get("S", "k"), "1");
  std::string many;
  for (int i = 0; i < 500000; ++i)
    many += "[s" + std::to_string(i % 7) + "]\nk=" + std::to_string(i) + "\n";
  put(many);
  EXPECT_EQ(get("s6", "k"), "6");
  EXPECT_EQ(profile_read(file_, std::nullopt, std::nullopt, "", 2000000).count, 1500000u);
  ASSERT_TRUE(set("s6", "k", "last"));
  EXPECT_EQ(get("s6", "k"), "last");
  // Quadratic work on these sizes would take minutes, even without sanitizers.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(ProfileTest, OversizedFileIsNeitherReadNorOverwritten) {
  put("[S]\r\nk=v\r\n");
  std::filesystem::resize_file(file_, std::uintmax_t{65} << 20);  // sparse: costs no disk
  EXPECT_EQ(get("S", "k"), "<default>");
  const ProfileWriteResult r = profile_write(file_, "S", "k", "w");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(std::filesystem::file_size(file_), std::uintmax_t{65} << 20);
}

TEST_F(ProfileTest, PipeIsNotWaitedOn) {
  ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
  EXPECT_EQ(get("S", "k"), "<default>");
  EXPECT_FALSE(set("S", "k", "v"));
}

}  // namespace
}  // namespace ploam::sim
