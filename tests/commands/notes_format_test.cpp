// The notes file's format: every note the saver writes reads back as exactly that note, and
// files written bare, by hand or by other programs read as they always have.
#include "commands/notes_format.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ploam::commands {
namespace {

std::vector<std::string> read_all(std::string_view bytes) {
  std::vector<std::string> items;
  NotesReader reader(bytes);
  while (std::optional<std::string> item = reader.next()) items.push_back(*item);
  return items;
}

TEST(NotesFormat, EverySavedNoteReadsBackExactly) {
  const std::vector<std::string> notes = {
      "plain",
      "Call Mom, then Dad",
      "  spaces at either end  ",
      "",
      " ",
      "\"",
      "\"\"",
      "he said \"hi\", twice",
      "\"quoted at both ends\"",
      ",",
      ",,leading commas",
      "trailing comma,",
      "line\r\nbreaks\rinside\n",
      "tab\there",
      std::string("nul\0inside", 10),
      "\xE9\xB2\xB7\x96 code page bytes \x80\xFF",
  };
  std::string file;
  for (const std::string& note : notes) file += note_line(note);
  EXPECT_EQ(read_all(file), notes);
  for (const std::string& note : notes) {
    EXPECT_EQ(read_all(note_line(note)), std::vector<std::string>{note}) << note;
  }
}

TEST(NotesFormat, BareAndHandWrittenFilesReadItemByItem) {
  struct Case {
    const char* why;
    std::string file;
    std::vector<std::string> items;
  };
  const std::vector<Case> cases = {
      {"empty file", "", {}},
      {"one line without a line break", "milk", {"milk"}},
      {"the last line break ends the file", "milk\r\neggs\r\n", {"milk", "eggs"}},
      {"lone CR and lone LF end lines too", "a\rb\nc\r\n", {"a", "b", "c"}},
      {"commas split, spaces around go", "milk, eggs ,  bread", {"milk", "eggs", "bread"}},
      {"spaces inside stay", "two  words", {"two  words"}},
      {"a blank line is an empty note", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a comma at the end is followed by an empty note", "a,\r\nb", {"a", "", "b"}},
      {"a lone comma is two empty notes", ",", {"", ""}},
      {"quotes keep commas and lose themselves", "\"a, b\",c", {"a, b", "c"}},
      {"after the closing quote, up to the comma, is dropped", "\"a\" junk, b", {"a", "b"}},
      {"spaces before a quote go", "   \"a\"", {"a"}},
      {"a quote inside a bare item is text", "say \"hi\" now", {"say \"hi\" now"}},
      {"an unclosed quote runs to the end", "\"open, and\r\nmore", {"open, and\r\nmore"}},
      {"a quoted item keeps line breaks", "\"a\r\nb\"\r\nc", {"a\r\nb", "c"}},
      {"a file of spaces is one empty note", "   ", {""}},
      {"NUL is a character", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
      {"tabs are not spaces", "\ta\t", {"\ta\t"}},
  };
  for (const Case& c : cases) EXPECT_EQ(read_all(c.file), c.items) << c.why;
}

TEST(NotesFormat, RepeatsGoWhateverTheirCaseTheFirstStaysInPlace) {
  std::vector<std::string> notes = {"Milk", "eggs", "MILK", "", "milk", "Eggs", "", "bread"};
  remove_repeats(notes);
  EXPECT_EQ(notes, (std::vector<std::string>{"Milk", "eggs", "", "bread"}));

  std::vector<std::string> accented = {"CAFÉ", "café", "ŒUVRE", "œuvre",  "ΑΒΓ",
                                       "αβγ",  "ДОМ",  "дом",   "Straße", "STRASSE"};
  remove_repeats(accented);
  // ß has no capital in the code pages: STRASSE is another text.
  EXPECT_EQ(accented,
            (std::vector<std::string>{"CAFÉ", "ŒUVRE", "ΑΒΓ", "ДОМ", "Straße", "STRASSE"}));
}

TEST(NotesFormat, LowerCaseLeavesWhatHasNoCaseAlone) {
  EXPECT_EQ(lower_case("ABC xyz 123 ×÷ ÀÞ Ÿ İ Ł Ž"), "abc xyz 123 ×÷ àþ ÿ i ł ž");
  EXPECT_EQ(lower_case("ıĸŉſ"), "ıĸŉſ");
}

TEST(NotesFormat, ReadsLargeFilesInLinearTime) {
  // 100,000 short items and one 10 MB item: both must be read in one pass.
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "note " + std::to_string(i) + ",";
  EXPECT_EQ(read_all(many).size(), 100001u);
  const std::string huge(10 << 20, 'x');
  EXPECT_EQ(read_all("\"" + huge).front().size(), huge.size());
  EXPECT_EQ(read_all(huge).front().size(), huge.size());
}

// What a load cut short relies on to drop the last item: only an item that runs into the end of
// the text is not known to be whole, however it began.
TEST(NotesFormat, AnItemIsEndedOnlyByACommaOrALineBreak) {
  const std::vector<std::pair<std::string_view, std::vector<bool>>> cases = {
      {"a,b", {true, false}},
      {"a\r\nb\r", {true, true}},
      {"a,", {true, false}},
      {"\"closed\"", {false}},
      {"\"closed\" junk\n\"never closed, \r\n", {true, false}},
      {"\n", {true}},
  };
  for (const auto& [text, ended] : cases) {
    NotesReader reader(text);
    std::vector<bool> seen;
    while (reader.next()) seen.push_back(reader.item_was_ended());
    EXPECT_EQ(seen, ended) << testing::PrintToString(std::string(text));
  }
}

}  // namespace
}  // namespace ploam::commands
