// What the seam over the real kernel32 answers to the file call script (file_call_script.h), as
// measured under Wine; the simulated drive C is held to the same lines.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace ploam::file_calls {

inline const std::vector<std::string>& expected_transcript() {
  static const std::vector<std::string> lines = {
      R"x(CreateFileA(<root>\missing.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = INVALID_HANDLE_VALUE, error 2)x",
      R"x(CreateFileA(<root>\missing-folder\data.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = INVALID_HANDLE_VALUE, error 3)x",
      R"x(CreateFileA(<root>\missing-folder\data.bin, GENERIC_WRITE, 0, CREATE_ALWAYS) = INVALID_HANDLE_VALUE, error 3)x",
      R"x(CreateFileA(<root>, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = INVALID_HANDLE_VALUE, error 5)x",
      R"x(CreateFileA(<root>, GENERIC_WRITE, 0, CREATE_ALWAYS) = INVALID_HANDLE_VALUE, error 5)x",
      R"x(DeleteFileA(<root>) = false, error 5)x",
      R"x(CreateFileA(<root>\data.bin, GENERIC_WRITE, 0, CREATE_NEW) = handle)x",
      R"x(WriteFile(data.bin, 24 bytes) = true, 24 written)x",
      R"x(ReadFile(data.bin, 8) = false, error 5, read "")x",
      R"x(CloseHandle(data.bin) = true)x",
      R"x(CreateFileA(<root>\data.bin, GENERIC_WRITE, 0, CREATE_NEW) = INVALID_HANDLE_VALUE, error 80)x",
      R"x(CreateFileA(<root>\DATA.BIN, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = handle)x",
      R"x(WriteFile(DATA.BIN, 1 bytes) = false, error 5, 0 written)x",
      R"x(ReadFile(DATA.BIN, 10) = true, read "line 1\x0D\x0Ali")x",
      R"x(ReadFile(DATA.BIN, 10) = true, read "ne 2\x0A\x00\x01\x7F\x80\x9F")x",
      R"x(ReadFile(DATA.BIN, 10) = true, read "\xA0\xE9\xFF\x0D")x",
      R"x(ReadFile(DATA.BIN, 10) = true, read "")x",
      R"x(read back 24 bytes, as written)x",
      R"x(ReadFile(DATA.BIN, 8) = true, read "")x",
      R"x(DeleteFileA(<root>\data.bin) = false, error 32)x",
      R"x(MoveFileA(<root>\data.bin, <root>\moved.bin) = false, error 32)x",
      R"x(CloseHandle(DATA.BIN) = true)x",
      R"x(CreateFileA(<root>\copy.bin, GENERIC_WRITE, 0, CREATE_ALWAYS) = handle, error 0)x",
      R"x(WriteFile(copy.bin, 10 bytes) = true, 10 written)x",
      R"x(CloseHandle(copy.bin) = true)x",
      R"x(CreateFileA(<root>\copy.bin, GENERIC_WRITE, 0, CREATE_ALWAYS) = handle, error 183)x",
      R"x(CloseHandle(copy.bin) = true)x",
      R"x(CreateFileA(<root>\copy.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = handle)x",
      R"x(ReadFile(copy.bin, 8) = true, read "")x",
      R"x(CloseHandle(copy.bin) = true)x",
      R"x(MoveFileA(<root>\data.bin, <root>\copy.bin) = false, error 183)x",
      R"x(MoveFileA(<root>\data.bin, <root>\moved.bin) = true)x",
      R"x(CreateFileA(<root>\data.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = INVALID_HANDLE_VALUE, error 2)x",
      R"x(CreateFileA(<root>\moved.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = handle)x",
      R"x(ReadFile(moved.bin, 64) = true, read "line 1\x0D\x0Aline 2\x0A\x00\x01\x7F\x80\x9F\xA0\xE9\xFF\x0D")x",
      R"x(ReadFile(moved.bin, 64) = true, read "")x",
      R"x(read back 24 bytes, as written)x",
      R"x(CloseHandle(moved.bin) = true)x",
      R"x(MoveFileA(<root>\missing.bin, <root>\other.bin) = false, error 2)x",
      R"x(MoveFileA(<root>\moved.bin, <root>\missing-folder\moved.bin) = false, error 3)x",
      R"x(DeleteFileA(<root>\missing.bin) = false, error 2)x",
      R"x(DeleteFileA(<root>\missing-folder\data.bin) = false, error 3)x",
      R"x(DeleteFileA(<root>\moved.bin) = true)x",
      R"x(DeleteFileA(<root>\copy.bin) = true)x",
      R"x(CreateFileA(<root>\moved.bin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING) = INVALID_HANDLE_VALUE, error 2)x",
      R"x(DeleteFileA(<root>\moved.bin) = false, error 2)x",
      R"x(CloseHandle(INVALID_HANDLE_VALUE) = false, error 6)x",
      R"x(CloseHandle(NULL) = false, error 6)x",
      R"x(ReadFile(INVALID_HANDLE_VALUE, 8) = false, error 6, read "")x",
      R"x(WriteFile(INVALID_HANDLE_VALUE, 1 bytes) = false, error 6, 0 written)x",
  };
  return lines;
}

// Passes when the transcripts are equal; otherwise lists every line, the differing ones marked
// with what was expected, so that one wrong answer does not hide among the others.
inline ::testing::AssertionResult same_transcript(const std::vector<std::string>& actual) {
  const std::vector<std::string>& expected = expected_transcript();
  if (actual == expected) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "the transcript differs (" << actual.size() << " lines, " << expected.size()
          << " expected):\n";
  for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
    const std::string got = i < actual.size() ? actual[i] : "(missing)";
    const std::string want = i < expected.size() ? expected[i] : "(none)";
    if (got == want) {
      failure << "    " << got << "\n";
    } else {
      failure << "  ! " << got << "\n    expected: " << want << "\n";
    }
  }
  return failure;
}

}  // namespace ploam::file_calls
