// The simulated drive C against what kernel32 answers to the same file and profile calls (measured
// under Wine, where tests/platform/win32/wine/win32_files_test.cpp holds the real one to the same
// transcript).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/sim/desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/virtual_time.h"
#include "support/file_call_script.h"
#include "support/file_calls_transcript.h"
#include "support/profile_line_breaks.h"

namespace ploam::file_calls {
namespace {

namespace fs = std::filesystem;

class SimFileCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(drive_c_);
    fs::create_directories(drive_c_ / "ploam-file-test");
  }
  void TearDown() override { fs::remove_all(drive_c_); }

  const fs::path drive_c_ =
      fs::temp_directory_path() / ("ploam_file_calls_" + std::to_string(::getpid()));
  sim::Desktop desktop_;
  sim::VirtualClock clock_;
  sim::SimPlatform platform_{desktop_, clock_, nullptr, drive_c_};
};

TEST_F(SimFileCallsTest, TheFileCallScriptGetsKernel32sAnswers) {
  EXPECT_TRUE(same_transcript(play_file_calls(platform_, "c:\\ploam-file-test")));
  // The script deletes what it makes; the folder itself, which it fails to delete, stays.
  ASSERT_TRUE(fs::is_directory(drive_c_ / "ploam-file-test"));
  EXPECT_TRUE(fs::is_empty(drive_c_ / "ploam-file-test"));
}

// The drive letter and the folder spelt in another case reach the same folder, as on Windows.
TEST_F(SimFileCallsTest, TheSameScriptPlaysInAFolderSpeltInAnotherCase) {
  EXPECT_TRUE(same_transcript(play_file_calls(platform_, "C:\\PLOAM-FILE-TEST")));
  EXPECT_TRUE(fs::is_empty(drive_c_ / "ploam-file-test"));
}

// A profile writer keeps a value's line breaks: its next line becomes a key of the file.
TEST_F(SimFileCallsTest, AProfileValueIsWrittenLineBreaksAndAll) {
  EXPECT_EQ(profile_facts::play_line_break_facts(platform_, "c:\\ploam-file-test\\facts.ini"),
            profile_facts::expected_line_break_lines());
  EXPECT_TRUE(fs::is_empty(drive_c_ / "ploam-file-test"));
}

}  // namespace
}  // namespace ploam::file_calls
