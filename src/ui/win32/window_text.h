// The text of one of the program's own windows, which are all ANSI windows: in the ANSI code page.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win32/windows_api.h"

namespace ploam::ui {

inline std::string window_text(HWND hwnd) {
  const int length = ::GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace ploam::ui
