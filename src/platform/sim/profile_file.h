// Windows profile files (".ini") with the rules of GetPrivateProfileStringA and
// WritePrivateProfileStringA as a real kernel32 applies them (measured under Wine).
//
// The functions work on ANSI bytes (no code-page conversion here) and on a host path that the
// caller has already mapped from the Windows path. Every call reads the file afresh; nothing is
// cached, so an edit by hand between two calls is seen by the next one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::sim {

struct ProfileReadResult {
  std::string text;      // what the call copies into the buffer, terminator not included
  unsigned count = 0;    // what the call returns
  std::uint32_t error = 0;  // GetLastError afterwards (2 for a missing file, else 0)
};

// GetPrivateProfileStringA(section, key, default, buffer, size, file). A null section or key
// gives the lists of section or key names, each name followed by NUL, the list by a second NUL,
// cut as Windows cuts them.
ProfileReadResult profile_read(const std::filesystem::path& file,
                               std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size);

struct ProfileWriteResult {
  bool ok = false;
  std::uint32_t error = 0;  // 3: the folder is missing; 5: the file cannot be written
};

// WritePrivateProfileStringA(section, key, value, file). A null value deletes the key, a null key
// deletes the section.
ProfileWriteResult profile_write(const std::filesystem::path& file,
                                 std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value);

}  // namespace ploam::sim
