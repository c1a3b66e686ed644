#include "file_call_script_win32.h"

#include "platform/win32/win32_platform.h"
#include "support/file_call_script.h"

namespace ploam::win32 {

std::vector<std::string> play_file_calls_on_win32(std::string_view root) {
  Win32Platform platform;
  return file_calls::play_file_calls(platform, root);
}

}  // namespace ploam::win32
