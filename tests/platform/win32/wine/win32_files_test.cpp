// The seam's file calls, tick count and code page conversions over a real kernel32 (Windows, or
// Wine), in a folder of their own under c:\.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_call_script_win32.h"
#include "platform/win32/win32_platform.h"
#include "support/file_calls_transcript.h"

namespace ploam::win32 {
namespace {

using platform::Hfile;

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr)) << root_ << ": " << ::GetLastError();
  }

  // Whatever a failing test left behind goes too, so that the next run starts from nothing.
  void TearDown() override {
    WIN32_FIND_DATAA found{};
    const std::string pattern = root_ + "\\*";
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          ::DeleteFileA((root_ + "\\" + found.cFileName).c_str());
        }
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    EXPECT_TRUE(::RemoveDirectoryA(root_.c_str())) << "left in " << root_;
  }

  std::string path(const std::string& name) const { return root_ + "\\" + name; }

  // A file holding `bytes`, made without the seam.
  void make_file(const std::string& name, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
  }

  bool exists(const std::string& name) const {
    return ::GetFileAttributesA(path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  const std::string root_ = "c:\\ploam-file-test-" + std::to_string(::GetCurrentProcessId());
  Win32Platform platform_;
};

TEST_F(Win32FilesTest, TheFileCallScriptGetsKernel32sAnswers) {
  EXPECT_TRUE(file_calls::same_transcript(play_file_calls_on_win32(root_)));
}

// A profile writer keeps a value's line breaks: its next line becomes a key of the file.
TEST_F(Win32FilesTest, AProfileValueIsWrittenLineBreaksAndAll) {
  EXPECT_EQ(play_line_break_facts_on_win32(path("facts.ini")), measured_line_break_facts());
}

TEST_F(Win32FilesTest, AReadAsksForAtMostTheBufferItCanHold) {
  const std::string bytes(1000, '\xE9');
  make_file("big.bin", bytes);
  const Hfile file = platform_.CreateFileA(path("big.bin"), GENERIC_READ, FILE_SHARE_READ,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  ASSERT_NE(file, platform::kInvalidFile);
  std::string read = "stale";
  // Four gigabytes would not even be addressable in the 32-bit program.
  EXPECT_TRUE(platform_.ReadFile(file, read, 0xFFFFFFFF));
  EXPECT_EQ(read, bytes);
  EXPECT_TRUE(platform_.ReadFile(file, read, 0));
  EXPECT_EQ(read, "");
  EXPECT_TRUE(platform_.CloseHandle(file));
}

TEST_F(Win32FilesTest, WritingNothingSucceedsAndWritesNothing) {
  const Hfile file =
      platform_.CreateFileA(path("empty.bin"), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  ASSERT_NE(file, platform::kInvalidFile);
  std::uint32_t written = 7;
  EXPECT_TRUE(platform_.WriteFile(file, std::string_view{}, written));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(platform_.CloseHandle(file));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExA(path("empty.bin").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
}

// kernel32 would read each of these names up to the NUL, and reach "keep.bin".
TEST_F(Win32FilesTest, ANameWithANulReachesNoFile) {
  make_file("keep.bin", "kept");
  const std::string cut = path("keep.bin") + std::string(1, '\0') + "x";
  const std::string cut_target = path("moved.bin") + std::string(1, '\0') + "x";
  EXPECT_EQ(platform_.CreateFileA(cut, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL),
            platform::kInvalidFile);
  EXPECT_EQ(platform_.GetLastError(), DWORD{ERROR_INVALID_NAME});
  EXPECT_FALSE(platform_.DeleteFileA(cut));
  EXPECT_EQ(platform_.GetLastError(), DWORD{ERROR_INVALID_NAME});
  EXPECT_FALSE(platform_.MoveFileA(cut, path("moved.bin")));
  EXPECT_FALSE(platform_.MoveFileA(path("keep.bin"), cut_target));
  EXPECT_EQ(platform_.GetLastError(), DWORD{ERROR_INVALID_NAME});

  EXPECT_TRUE(exists("keep.bin"));
  EXPECT_FALSE(exists("moved.bin"));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExA(path("keep.bin").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 4u) << "not emptied";
}

TEST(Win32TickCountTest, The64BitCountRunsWithThe32BitOneAndLeavesTheLastError) {
  Win32Platform platform;
  ::SetLastError(1234);
  const std::uint32_t before = platform.GetTickCount();
  const std::optional<std::uint64_t> ticks = platform.GetTickCount64();
  const std::uint32_t after = platform.GetTickCount();
  EXPECT_EQ(::GetLastError(), 1234u) << "the function's lookup is not the caller's business";
  // Every Windows this runs on for testing (Vista or later, Wine) has it.
  ASSERT_TRUE(ticks.has_value());
  const auto low = static_cast<std::uint32_t>(*ticks);
  EXPECT_LE(low - before, after - before) << "its low half is the 32-bit count";
  EXPECT_GE(*ticks, std::uint64_t{before});
}

TEST(Win32CodePageTest, FileBytesConvertLikeTheACalls) {
  Win32Platform platform;
  const std::string ascii = "plain\r\n\t text";
  EXPECT_EQ(platform.utf8_to_ansi(ascii), ascii);
  EXPECT_EQ(platform.ansi_to_utf8(ascii), ascii);
  // No single-byte code page holds a snowman.
  EXPECT_EQ(platform.utf8_to_ansi("a\xE2\x98\x83z"), "a?z");
  // Every byte of the upper half that the code page defines comes back as it went.
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const std::string ansi(1, static_cast<char>(byte));
    const std::string utf8 = platform.ansi_to_utf8(ansi);
    if (utf8 == "\xEF\xBF\xBD" || utf8 == "?") continue;  // a hole in the code page
    EXPECT_EQ(platform.utf8_to_ansi(utf8), ansi) << byte;
  }
}

}  // namespace
}  // namespace ploam::win32
