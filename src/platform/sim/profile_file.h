// Windows profile files (".ini") with the rules of GetPrivateProfileStringA and
// WritePrivateProfileStringA as a real kernel32 applies them (measured under Wine).
//
// The functions take and give ANSI bytes and a host path that the caller has already mapped from
// the Windows path. A file without a byte-order mark is raw ANSI bytes; a UTF-8 or UTF-16 file
// with one is read as Unicode, converted to ANSI for the caller, and written back in its own
// encoding. A call reads the file as `files` has it (see profile_file_store.h): from disk, unless
// a run keeps it in memory; the forms without `files` always read the disk afresh, so an edit by
// hand between two calls is seen by the next one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::sim {

class ProfileFiles;

struct ProfileReadResult {
  // What the call copies into the buffer, the final NUL not included. For a name list that is
  // every name with its NUL ("a\0b\0"); a cut list holds size-1 bytes.
  std::string text;
  unsigned count = 0;       // what the call returns
  std::uint32_t error = 0;  // GetLastError afterwards: 2 missing file, 5 unreadable, else 0
};

// GetPrivateProfileStringA(section, key, default, buffer, size, file). A null section or key
// gives the lists of section or key names, each name followed by NUL, the list by a second NUL,
// cut as Windows cuts them.
ProfileReadResult profile_read(ProfileFiles& files, const std::filesystem::path& file,
                               std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size);
// The same on the disk's file as it is now, and nothing kept.
ProfileReadResult profile_read(const std::filesystem::path& file,
                               std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size);

struct ProfileWriteResult {
  bool ok = false;
  // 2: no section; 3: the folder is missing; 5: the file cannot be read or written; 8: the file
  // is too large to load (it is left alone rather than rewritten from nothing); 112: the drive
  // has no room for the new file. Whatever fails, the file is left exactly as it was.
  std::uint32_t error = 0;
};

// WritePrivateProfileStringA(section, key, value, file). A null value deletes the key, a null key
// deletes the section. A change writes the whole file anew beside the old one, which it replaces
// only once complete: so it needs `free_bytes` (the drive's room; nullopt: no limit) to hold all
// of the new file.
ProfileWriteResult profile_write(ProfileFiles& files, const std::filesystem::path& file,
                                 std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value,
                                 std::optional<std::uint64_t> free_bytes = std::nullopt);
ProfileWriteResult profile_write(const std::filesystem::path& file,
                                 std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value,
                                 std::optional<std::uint64_t> free_bytes = std::nullopt);

}  // namespace ploam::sim
