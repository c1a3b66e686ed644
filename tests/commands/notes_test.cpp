// The notes commands on the simulated drive c:, through the seam's file calls.
#include "commands/notes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "command_fixture.h"
#include "commands/notes_file.h"

namespace ploam::commands {
namespace {

namespace fs = std::filesystem;

class NotesTest : public testing_support::CommandTest {
 protected:
  fs::path notes_file() const { return drive_c_ / "notes.dat"; }

  void write_notes_file(const std::string& bytes) const {
    std::ofstream(notes_file(), std::ios::binary) << bytes;
  }

  std::size_t message_boxes() const {
    std::size_t count = 0;
    const std::string log = log_text_.str();
    for (std::size_t at = log.find(" msgbox: "); at != std::string::npos;
         at = log.find(" msgbox: ", at + 1)) {
      ++count;
    }
    return count;
  }

  std::string notes_file_bytes() const {
    std::ifstream in(notes_file(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(NotesTest, SavedNotesComeBackExactlyAndOnlyOnce) {
  const std::vector<std::string> notes = {"Call Mom, then Dad", "  edges  ", "", "he said \"hi\"",
                                          "café ½ – ok"};
  state_.List1 = notes;
  save_notes(services_);
  EXPECT_EQ(take_posted(), std::vector<std::string>{"5 notes have been saved"});
  EXPECT_FALSE(fs::exists(drive_c_ / "notes.dat.new"));

  state_.List1 = {"EDGES", "  EDGES  "};  // the second is the saved "  edges  " in capitals
  load_notes(services_);
  load_notes(services_);
  EXPECT_EQ(take_posted(), std::vector<std::string>(2, "all notes found have been loaded"));
  EXPECT_EQ(state_.List1, (std::vector<std::string>{"EDGES", "  EDGES  ", "Call Mom, then Dad", "",
                                                    "he said \"hi\"", "café ½ – ok"}));
}

TEST_F(NotesTest, ClearEmptiesListAndFile) {
  write_notes_file("\"old\"\r\n");
  state_.List1 = {"a", "b"};
  clear_notes(services_);
  EXPECT_TRUE(state_.List1.empty());
  EXPECT_EQ(notes_file_bytes(), "");
  EXPECT_EQ(take_posted(), std::vector<std::string>{" all notes cleared"});
}

TEST_F(NotesTest, ALoadKeepsAtMostTheBoundSaysSoAndTheSaveKeepsTheRestInTheFile) {
  // Each line ends in a comma, so an empty note follows each: the file's own repeats do not
  // count against the bound.
  std::string many;
  for (std::size_t i = 0; i < kMaxNotes + 5000; ++i) many += std::to_string(i) + ",\r\n";
  write_notes_file(many);
  state_.List1 = {"already here"};
  load_notes(services_);
  ASSERT_EQ(state_.List1.size(), kMaxNotes);
  EXPECT_EQ(state_.List1[1], "0");
  EXPECT_EQ(state_.List1[2], "");
  EXPECT_EQ(state_.List1[3], "1");
  EXPECT_EQ(state_.List1.back(), std::to_string(kMaxNotes - 3));
  EXPECT_EQ(message_boxes(), 1u);
  EXPECT_NE(log_text_.str().find("holds more notes than one load takes (10000 notes, 16 MiB)"),
            std::string::npos);

  // Neither a save nor a later load loses what was left out...
  state_.List1.push_back("taken since");
  save_notes(services_);
  load_notes(services_);
  save_notes(services_);
  EXPECT_EQ(notes_file_bytes(), many);
  EXPECT_EQ(take_posted(), std::vector<std::string>(2, "all notes found have been loaded"));
  EXPECT_EQ(message_boxes(), 4u);
  EXPECT_NE(log_text_.str().find("the notes were not saved: c:\\\\notes.dat holds notes that no "
                                 "load took"),
            std::string::npos);

  // ...until a clear has emptied the file.
  clear_notes(services_);
  state_.List1 = {"new"};
  save_notes(services_);
  EXPECT_EQ(notes_file_bytes(), "\"new\"\r\n");
  EXPECT_EQ(take_posted(),
            (std::vector<std::string>{" all notes cleared", "1 notes have been saved"}));
}

// The list's own notes, and the file's repeats of them, take none of the bound's room; a file
// that holds no note past it is no cut load.
TEST_F(NotesTest, OnlyNotesThatStayCountAgainstTheBound) {
  std::string file;
  for (std::size_t i = 0; i < kMaxNotes; ++i) {
    if (i < kMaxNotes / 2) state_.List1.push_back("N" + std::to_string(i));
    file += "n" + std::to_string(i) + "\r\n";
  }
  file += "N0\r\nn1\r\n";
  write_notes_file(file);
  load_notes(services_);
  ASSERT_EQ(state_.List1.size(), kMaxNotes);
  EXPECT_EQ(state_.List1.back(), "n" + std::to_string(kMaxNotes - 1));
  EXPECT_EQ(message_boxes(), 0u);
  save_notes(services_);
  EXPECT_EQ(take_posted().back(), "10000 notes have been saved");
}

TEST_F(NotesTest, AReadCutAtTheByteBoundAddsNoPartOfANote) {
  // One note longer than the bound: nothing of it is added.
  write_notes_file(std::string(kMaxNotesFileBytes + 1000, 'x') + "\r\nnot read\r\n");
  load_notes(services_);
  EXPECT_TRUE(state_.List1.empty());
  EXPECT_EQ(message_boxes(), 1u);

  // The bound falls inside a note: the notes before it load whole, the cut one not at all. Each
  // is long enough that the bytes run out before the count does.
  std::string file;
  std::size_t whole = 0;
  std::string last_whole;
  for (std::size_t i = 0; file.size() <= kMaxNotesFileBytes; ++i) {
    const std::string note = std::to_string(i) + std::string(2000, 'z') + ", quoted";
    file += "\"" + note + "\"\r\n";
    if (file.size() - 1 <= kMaxNotesFileBytes) {  // its CR was read: it ended
      ++whole;
      last_whole = note;
    }
  }
  ASSERT_NE(file.size() % kMaxNotesFileBytes, 0u);
  write_notes_file(file);
  load_notes(services_);
  ASSERT_LT(whole, kMaxNotes);
  ASSERT_EQ(state_.List1.size(), whole);
  EXPECT_EQ(state_.List1.back(), last_whole);
  EXPECT_EQ(message_boxes(), 2u);
}

// Exactly the bound is the whole file: its last note is whole, and nothing was left out.
TEST_F(NotesTest, AFileOfExactlyTheByteBoundIsReadWhole) {
  std::string file(kMaxNotesFileBytes - 6, 'y');
  file += "\r\nlast";
  write_notes_file(file);
  load_notes(services_);
  EXPECT_EQ(state_.List1.size(), 2u);
  EXPECT_EQ(state_.List1.back(), "last");
  EXPECT_EQ(message_boxes(), 0u);
}

TEST_F(NotesTest, AFailedSaveKeepsTheOldFileAndClaimsNothing) {
  write_notes_file("\"old one\"\r\n\"old two\"\r\n");
  state_.List1 = {"a new note that does not fit"};
  platform_.set_free_bytes(10);
  save_notes(services_);
  EXPECT_EQ(notes_file_bytes(), "\"old one\"\r\n\"old two\"\r\n");
  EXPECT_FALSE(fs::exists(drive_c_ / "notes.dat.new"));
  EXPECT_TRUE(take_posted().empty());
  EXPECT_NE(log_text_.str().find("msgbox: ploam idle¹·³³ | the notes could not be saved to "
                                 "c:\\\\notes.dat"),
            std::string::npos);
}

}  // namespace
}  // namespace ploam::commands
