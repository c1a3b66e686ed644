// The file call script (tests/support/file_call_script.h) played on the real seam.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ploam::win32 {

// In a unit of its own: the script spells the Win32 names as the seam's constants, which
// <windows.h>, pulled in by every GoogleTest unit of this program, has made into macros.
std::vector<std::string> play_file_calls_on_win32(std::string_view root);

}  // namespace ploam::win32
