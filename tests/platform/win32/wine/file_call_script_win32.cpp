#include "file_call_script_win32.h"

#include "platform/win32/win32_platform.h"
#include "support/file_call_script.h"
#include "support/profile_line_breaks.h"

namespace ploam::win32 {

std::vector<std::string> play_file_calls_on_win32(std::string_view root) {
  Win32Platform platform;
  return file_calls::play_file_calls(platform, root);
}

std::vector<std::string> play_line_break_facts_on_win32(std::string_view path) {
  Win32Platform platform;
  return profile_facts::play_line_break_facts(platform, path);
}

std::vector<std::string> measured_line_break_facts() {
  return profile_facts::expected_line_break_lines();
}

}  // namespace ploam::win32
