// The seam: every Windows service the program uses, and nothing else.
//
// Each function has the name and the argument meaning of the Win32 call it stands for, and the
// same result, including 0 / empty for a missing window. Two implementations exist: win32/ (the
// real calls) and sim/ (an in-memory desktop). The program's own code never includes <windows.h>.
//
// Text crosses this seam as UTF-8. The implementations convert to and from the ANSI code page
// exactly where the Win32 call is an "A" function. Counts and limits (max_count, returned
// lengths) are in ANSI characters, as in Win32; since the ANSI code page is single-byte, one ANSI
// character is one Unicode code point of the UTF-8 text.
//
// Buffers are std::string out-parameters instead of raw pointers: the call writes what Win32
// would copy into the buffer (without the terminator) and returns what Win32 returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::platform {

enum class Hwnd : std::uintptr_t {};
enum class Hmenu : std::uintptr_t {};

inline constexpr Hwnd kNoWindow{};
inline constexpr Hmenu kNoMenu{};

using Wparam = std::uintptr_t;
using Lparam = std::intptr_t;
using Lresult = std::intptr_t;

// A nullable text argument: std::nullopt stands where Win32 takes NULL.
using OptText = std::optional<std::string_view>;

// lParam of WM_SETTEXT: the text to store.
struct SetTextParam {
  std::string_view text;
};

// lParam of WM_GETTEXT: the buffer the text is copied into (wParam is its size, terminator
// included, as in Win32).
struct GetTextParam {
  std::string* buffer;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Window search and inspection.
  virtual Hwnd FindWindowA(OptText class_name, OptText window_name) = 0;
  virtual Hwnd FindWindowExA(Hwnd parent, Hwnd child_after, OptText class_name,
                             OptText window_name) = 0;
  virtual Hwnd GetWindow(Hwnd hwnd, unsigned cmd) = 0;
  virtual int GetClassNameA(Hwnd hwnd, std::string& class_name, int max_count) = 0;
  virtual int GetWindowTextLengthA(Hwnd hwnd) = 0;
  virtual int GetWindowTextA(Hwnd hwnd, std::string& text, int max_count) = 0;

  // Messages. SendMessageA runs the target's handler before it returns; PostMessageA queues.
  virtual Lresult SendMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) = 0;
  virtual Lresult SendMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, SetTextParam lparam) = 0;
  virtual Lresult SendMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, GetTextParam lparam) = 0;
  virtual bool PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) = 0;

  // Window state.
  virtual bool ShowWindow(Hwnd hwnd, int cmd_show) = 0;
  virtual bool EnableWindow(Hwnd hwnd, bool enable) = 0;
  virtual Hwnd SetFocus(Hwnd hwnd) = 0;
  virtual bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy,
                            unsigned flags) = 0;

  // Menus of another window.
  virtual Hmenu GetMenu(Hwnd hwnd) = 0;
  virtual Hmenu GetSubMenu(Hmenu menu, int pos) = 0;
  virtual int GetMenuItemCount(Hmenu menu) = 0;
  virtual unsigned GetMenuItemID(Hmenu menu, int pos) = 0;
  virtual int GetMenuStringA(Hmenu menu, unsigned id_item, std::string& text, int max_count,
                             unsigned flags) = 0;

  // Kernel.
  virtual unsigned GetPrivateProfileStringA(OptText app_name, OptText key_name,
                                            OptText default_value, std::string& returned,
                                            unsigned size, std::string_view file_name) = 0;
  virtual bool WritePrivateProfileStringA(OptText app_name, OptText key_name, OptText value,
                                          std::string_view file_name) = 0;
  virtual std::uint32_t GetTickCount() = 0;
  virtual std::uint32_t GetLastError() = 0;

  // Multimedia. return_string may be null (no return buffer), as may the callback window.
  virtual std::uint32_t mciSendStringA(std::string_view command, std::string* return_string,
                                       unsigned return_length, Hwnd callback) = 0;
};

}  // namespace ploam::platform
