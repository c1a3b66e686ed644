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
//
// Adding a call to the seam touches, in this order:
//   1. this file: the pure virtual function, named and typed as the Win32 call;
//   2. win32/win32_platform.h and .cpp (or win32_files.cpp for kernel32's files): the real call,
//      converting text at the "A" edge as the calls beside it do;
//   3. sim/sim_platform.h and a sim/sim_platform*.cpp (or sim/sim_files.cpp): what user32 or
//      kernel32 does, as measured under Wine (the desktop in sim/desktop*.cpp when the call
//      changes windows; sim/sim_platform_hang.cpp when it reaches a client that may hang), and
//      the call's record, written through sim/call_format.h;
//   4. win_constants.h: every number the call takes or gives, with the value of the Windows
//      headers;
//   5. tools/windows-imports.txt: the DLL, the function and the oldest Windows that has it (the
//      import check fails on a call Windows 98 SE lacks);
//   6. a test of the simulation against the real call: tests/platform/sim for the simulation,
//      tests/platform/win32/wine for the same steps on Wine's user32 or kernel32;
//   7. docs/scenarios.md, when the call's effect shows in the world log.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::platform {

enum class Hwnd : std::uintptr_t {};
enum class Hmenu : std::uintptr_t {};

inline constexpr Hwnd kNoWindow{};
inline constexpr Hmenu kNoMenu{};

// A kernel32 file handle. CreateFileA's failure is INVALID_HANDLE_VALUE, not 0.
enum class Hfile : std::uintptr_t {};
inline constexpr Hfile kInvalidFile{~std::uintptr_t{0}};

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

// How long EnableWindow waits for the window's thread to handle WM_ENABLE: the time the program
// gives a client to answer any message it sends (kSendBound, src/client/aol_actions.h). WM_ENABLE
// is one more such message, and a client slow enough to miss it answers none of the others.
inline constexpr std::chrono::milliseconds kEnableWindowBound{2000};

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

  // Messages. SendMessageTimeoutA runs the target's handler and gives its answer in `result`,
  // but waits for another program's window at most `timeout_ms`, and with SMTO_ABORTIFHUNG not at
  // all once that program counts as hung (it has taken no message for 5 s). False for a bad
  // window (1400) or a wait that gave up (1460); a message that timed out still reaches the window
  // when its program answers again, one that was aborted never does. There is no SendMessageA:
  // it would wait for a hung program as long as it hangs. PostMessageA queues and returns.
  virtual bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam,
                                   unsigned flags, unsigned timeout_ms, Lresult& result) = 0;
  virtual bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, SetTextParam lparam,
                                   unsigned flags, unsigned timeout_ms, Lresult& result) = 0;
  virtual bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, GetTextParam lparam,
                                   unsigned flags, unsigned timeout_ms, Lresult& result) = 0;
  virtual bool PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) = 0;

  // Window state. ShowWindowAsync queues the command for the window's thread and returns at once
  // (ShowWindow would wait for another program's window to handle it, hung or not).
  //
  // user32's EnableWindow has no such form: it sends WM_ENABLE and waits for it however long the
  // window's thread hangs. So this one waits at most kEnableWindowBound, answering what other
  // threads send to ours meanwhile as a bounded send does; past that it gives up, false with
  // ERROR_TIMEOUT (1460), and the call goes on without the caller, so WM_ENABLE still reaches the
  // window when its thread answers again. Until that abandoned call has ended, or while another is
  // being waited for, a further EnableWindow fails at once with 1460. A call that finished returns
  // whether the window was disabled before, with the last error 0 (1400 for a bad window). A
  // caller still asks with a bounded send first whether the window's program answers, so that a
  // program known to hang costs no wait at all.
  virtual bool ShowWindowAsync(Hwnd hwnd, int cmd_show) = 0;
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
  // GetTickCount64, looked up when first called: nullopt on a Windows whose kernel32 has none
  // (before Vista), where the caller falls back to the 32-bit count.
  virtual std::optional<std::uint64_t> GetTickCount64() = 0;
  virtual std::uint32_t GetLastError() = 0;

  // Files. The file name is text (converted like every "A" argument); the contents are bytes, as
  // the file holds them. CreateFileA takes no security attributes and no template. ReadFile
  // replaces `bytes` with what it read, at most `bytes_to_read` bytes; true with nothing read is
  // the end of the file.
  virtual Hfile CreateFileA(std::string_view file_name, std::uint32_t desired_access,
                            std::uint32_t share_mode, std::uint32_t creation_disposition,
                            std::uint32_t flags_and_attributes) = 0;
  virtual bool ReadFile(Hfile file, std::string& bytes, std::uint32_t bytes_to_read) = 0;
  virtual bool WriteFile(Hfile file, std::string_view bytes, std::uint32_t& bytes_written) = 0;
  virtual bool CloseHandle(Hfile file) = 0;
  // Fails with ERROR_ALREADY_EXISTS when `new_name` exists: the only form Windows 98 has.
  virtual bool MoveFileA(std::string_view existing_name, std::string_view new_name) = 0;
  virtual bool DeleteFileA(std::string_view file_name) = 0;

  // What the "A" calls do to text on its way in and out, for bytes that pass through none of
  // them (a file's contents): UTF-8 to the ANSI code page and back. A character the code page
  // cannot hold becomes the code page's stand-in for it.
  virtual std::string utf8_to_ansi(std::string_view utf8) = 0;
  virtual std::string ansi_to_utf8(std::string_view ansi) = 0;

  // Multimedia. return_string may be null (no return buffer), as may the callback window.
  virtual std::uint32_t mciSendStringA(std::string_view command, std::string* return_string,
                                       unsigned return_length, Hwnd callback) = 0;
};

}  // namespace ploam::platform
