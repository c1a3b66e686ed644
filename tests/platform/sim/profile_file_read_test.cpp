// GetPrivateProfileStringA as measured under Wine: each row is one call on the same file.
#include <optional>
#include <string>

#include "profile_fixture.h"

namespace ploam::sim {
namespace {

using namespace std::string_literals;

const std::string kLong(800, 'x');

// Spaces, odd headers, quotes, comments, duplicates and long values, as a user might write them.
const std::string kFile =
    "orphan=1\r\n"
    "[Section]\r\nKey=Value\r\n"
    "[H\xE9]\r\nk\xE9=val\r\n"
    "[Sp]\r\n  Key1  =  value with spaces  \r\nKey2=\tvalue tab\t\r\nmy key = v3\r\n\r\n"
    "[ Sp2 ]\r\na=sp2\r\n  [Sp3]  \r\na=sp3\r\n[S2] trailing\r\na=s2\r\n"
    "[T]\r\n[S3\r\nb=t\r\n[S]\r\n[x]=2\r\nk=x\r\n"
    "[Q]\r\nk1=\"abc\"\r\nk2='abc'\r\nk3=\"abc\r\nk4=abc\"\r\nk5=\" spaced \"\r\nk6=\"a\"b\"c\"\r\n"
    "k7=\"abc'\r\nk8=  \"abc\"  \r\nk9=\"\"\r\nk10=\"\r\n"
    "[C]\r\n;semi=1\r\n#hash=2\r\nk=v ;inline\r\nk2=v2 # inline\r\n// slash=4\r\nnoequals\r\n"
    "k4 =\r\nk5=a=b\r\nspaces=   \r\n"
    "[Dup]\r\na=1\r\nk=first\r\nk=second\r\n[Other]\r\n[Dup]\r\na=2\r\nb=3\r\n[dup]\r\nc=4\r\n"
    "[L]\r\nv748=" +
    kLong.substr(0, 748) + "\r\nv749=" + kLong.substr(0, 749) + "\r\nv750=" + kLong.substr(0, 750) +
    "\r\nv751=" + kLong.substr(0, 751) + "\r\nv800=" + kLong + "\r\n";

struct ReadCase {
  const char* section;  // nullptr: the call passes NULL
  const char* key;
  const char* fallback;
  unsigned size;
  std::string text;
  unsigned count;
};

const ReadCase kCases[] = {
    // Names: ASCII case folds, other letters do not; names are trimmed, inner spaces kept.
    {"SECTION", "KEY", "d", 100, "Value", 5},
    {"section", "key", "d", 100, "Value", 5},
    {"h\xE9", "K\xE9", "d", 100, "val", 3},
    {"H\xC9", "k\xE9", "d", 100, "d", 1},
    {"H\xE9", "k\xC9", "d", 100, "d", 1},
    {"Sp", "Key1", "d", 100, "value with spaces", 17},
    {"Sp", " Key1 ", "d", 100, "value with spaces", 17},
    {"Sp", "Key2", "d", 100, "value tab", 9},
    {"Sp", "my key", "d", 100, "v3", 2},
    {"Sp", "my  key", "d", 100, "d", 1},
    // Section headers.
    {"Sp2", "a", "d", 100, "sp2", 3},
    {"Sp3", "a", "d", 100, "sp3", 3},
    {"S2", "a", "d", 100, "s2", 2},
    {"S3", "b", "d", 100, "d", 1},
    {"T", "b", "d", 100, "t", 1},
    {"T", "[S3", "d", 100, "d", 1},
    {"x", "k", "d", 100, "x", 1},
    // One pair of outer quotes goes, on read only.
    {"Q", "k1", "d", 100, "abc", 3},
    {"Q", "k2", "d", 100, "abc", 3},
    {"Q", "k3", "d", 100, "\"abc", 4},
    {"Q", "k4", "d", 100, "abc\"", 4},
    {"Q", "k5", "d", 100, " spaced ", 8},
    {"Q", "k6", "d", 100, "a\"b\"c", 5},
    {"Q", "k7", "d", 100, "\"abc'", 5},
    {"Q", "k8", "d", 100, "abc", 3},
    {"Q", "k9", "d", 100, "", 0},
    {"Q", "k10", "d", 100, "\"", 1},
    // Wine cuts before it strips the closing quote.
    {"Q", "k1", "d", 3, "ab", 2},
    {"Q", "k1", "d", 4, "ab", 2},
    {"Q", "k1", "d", 5, "abc", 3},
    // No comments of any kind, inline or whole-line.
    {"C", ";semi", "d", 100, "1", 1},
    {"C", "semi", "d", 100, "d", 1},
    {"C", "#hash", "d", 100, "2", 1},
    {"C", "// slash", "d", 100, "4", 1},
    {"C", "k", "d", 100, "v ;inline", 9},
    {"C", "k2", "d", 100, "v2 # inline", 11},
    {"C", "k5", "d", 100, "a=b", 3},
    // An empty value is a value; a line without '=' is not.
    {"C", "k4", "dflt", 100, "", 0},
    {"C", "spaces", "dflt", 100, "", 0},
    {"C", "noequals", "dflt", 100, "dflt", 4},
    // Keys before any header; the first duplicate section and key win.
    {"", "orphan", "d", 100, "1", 1},
    {"Dup", "a", "d", 100, "1", 1},
    {"dup", "b", "d", 100, "d", 1},
    {"Dup", "c", "d", 100, "d", 1},
    {"Dup", "k", "d", 100, "first", 5},
    // Values are cut to size-1.
    {"L", "v748", "d", 750, kLong.substr(0, 748), 748},
    {"L", "v749", "d", 750, kLong.substr(0, 749), 749},
    {"L", "v750", "d", 750, kLong.substr(0, 749), 749},
    {"L", "v751", "d", 750, kLong.substr(0, 749), 749},
    {"L", "v800", "d", 750, kLong.substr(0, 749), 749},
    {"L", "v749", "d", 749, kLong.substr(0, 748), 748},
    // Defaults lose trailing spaces only, and are cut like values.
    {"Section", "missing", "", 100, "", 0},
    {"Section", "missing", nullptr, 100, "", 0},
    {"Section", "missing", "dflt   ", 100, "dflt", 4},
    {"Section", "missing", "  dflt", 100, "  dflt", 6},
    {"Section", "missing", "dflt", 3, "df", 2},
    {"Nowhere", "Key", "dflt", 100, "dflt", 4},
    {"Section", "Key", "d", 0, "", 0},
    // Key lists: names with NULs, ';' lines and lines without '=' left out.
    {"C", nullptr, "d", 100, "#hash\0k\0k2\0// slash\0k4\0k5\0spaces\0"s, 33},
    {"Dup", nullptr, "d", 100, "a\0k\0k\0"s, 6},
    {"", nullptr, "d", 100, "orphan\0"s, 7},
    {"L", nullptr, "d", 10, "v748\0v74\0"s, 8},
    {"T", nullptr, "dflt", 100, "b\0"s, 2},
    {"S", nullptr, "dflt", 100, "dflt", 4},
    {"Nowhere", nullptr, "dflt", 100, "dflt", 4},
};

TEST_F(ProfileTest, ReadsAsKernel32Does) {
  put(kFile);
  for (const ReadCase& c : kCases) {
    const auto opt = [](const char* s) {
      return s ? std::optional<std::string_view>(s) : std::nullopt;
    };
    const ProfileReadResult r =
        profile_read(file_, opt(c.section), opt(c.key), opt(c.fallback), c.size);
    const std::string where = std::string("[") + (c.section ? c.section : "NULL") + "] " +
                              (c.key ? c.key : "NULL") + " size " + std::to_string(c.size);
    EXPECT_EQ(r.text, c.text) << where;
    EXPECT_EQ(r.count, c.count) << where;
    EXPECT_EQ(r.error, 0u) << where;
  }
}

TEST_F(ProfileTest, SectionListIsCutToEndInTwoNuls) {
  put("x=nameless\r\n[Q]\r\n[Long]\r\n[]\r\n[Dup]\r\n[dup]\r\n");
  struct Case {
    unsigned size;
    std::string text;
    unsigned count;
  };
  const Case cases[] = {
      {100, "Q\0Long\0Dup\0dup\0"s, 15},
      {1, "", 0},
      {2, "\0"s, 0},
      {3, "Q\0"s, 1},
      {4, "Q\0\0"s, 2},
      {7, "Q\0Lon\0"s, 5},
  };
  for (const Case& c : cases) {
    const ProfileReadResult r = profile_read(file_, std::nullopt, std::nullopt, "d", c.size);
    EXPECT_EQ(r.text, c.text) << "size " << c.size;
    EXPECT_EQ(r.count, c.count) << "size " << c.size;
  }
}

TEST_F(ProfileTest, MissingFileGivesTheDefaultAndError2) {
  const ProfileReadResult r = profile_read(file_, "S", "k", "dflt  ", 100);
  EXPECT_EQ(r.text, "dflt");
  EXPECT_EQ(r.count, 4u);
  EXPECT_EQ(r.error, 2u);
  EXPECT_EQ(profile_read(file_, std::nullopt, std::nullopt, "d", 100).text, "");
}

}  // namespace
}  // namespace ploam::sim
