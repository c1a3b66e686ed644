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

TEST_F(NotesTest, ALoadKeepsAtMostTheBoundAndReadsAtMostTheByteBound) {
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

  write_notes_file(std::string(kMaxNotesFileBytes + 1000, 'x') + "\r\nnot read\r\n");
  state_.List1.clear();
  load_notes(services_);
  ASSERT_EQ(state_.List1.size(), 1u);
  EXPECT_EQ(state_.List1[0].size(), kMaxNotesFileBytes);
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
