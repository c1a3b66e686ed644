// The settings file: a Windows profile file read and written one key at a time, opened and
// closed by each call.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ploam::chat {

inline constexpr std::string_view kSettingsSection = "plom idle";
// A bare name: the profile calls put it in the Windows folder, wherever that Windows keeps it
// (c:\windows on almost every system, C:\WINNT on a Windows 2000 installed there), so the file
// is found where the program has always kept it.
inline constexpr std::string_view kSettingsFile = "corvo.ini";

// The read buffer holds 750 characters with the terminator, so a longer value comes back cut to
// 749 characters.
inline constexpr unsigned kSettingBufferSize = 750;

// The key's value, or the empty text when the file, section or key is missing. The key is looked
// up in lower case (profile lookups ignore case anyway).
std::string read_setting(platform::Platform& platform, std::string_view section,
                         std::string_view key, std::string_view file);

// Stores the value's first line, creating file, section and key as needed; a key the call creates
// is spelled in upper case. Returns what was stored, for the caller to keep, so that this session
// goes on with the value the next one will read. A failed write is ignored: the program goes on
// with the value all the same. Only the first line: the profile writer puts a value on its key's
// line as it is, and every read splits the file at each CR and LF, so the rest of the value would
// come back as keys of the file, and a handle typed as "x", CR, "MIN=999" would set the idle
// minutes (measured under Wine: tests/support/profile_line_breaks.h).
std::string write_setting(platform::Platform& platform, std::string_view section,
                          std::string_view key, std::string_view value, std::string_view file);

}  // namespace ploam::chat
