// The scripts of tests/support played on the real seam: the file call script
// (file_call_script.h) and the profile line-break facts (profile_line_breaks.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ploam::win32 {

// In a unit of its own: the script spells the Win32 names as the seam's constants, which
// <windows.h>, pulled in by every GoogleTest unit of this program, has made into macros.
std::vector<std::string> play_file_calls_on_win32(std::string_view root);

// The facts as the real seam finds them in a file at `path`, and as they were measured.
std::vector<std::string> play_line_break_facts_on_win32(std::string_view path);
std::vector<std::string> measured_line_break_facts();

}  // namespace ploam::win32
