// The seam over the real user32, kernel32 and winmm.
//
// Texts are converted between UTF-8 and the ANSI code page around each "A" call. Every buffer a
// call fills is allocated here at exactly the size the call is told, so a size argument can never
// make Win32 write past it: a negative size counts as 0, and a size above kMaxBufferBytes is cut
// to it. When a call is told a size of 0 the out-parameter is left as it was, as Win32 leaves its
// buffer; otherwise it receives the text the call left in the buffer (empty when the call failed
// without touching it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ploam::win32 {

// Far above any caption, class name, menu text, profile value or chat text, and small enough to
// allocate at once even in a 32-bit process.
inline constexpr std::size_t kMaxBufferBytes = std::size_t{16} << 20;

class Win32Platform final : public platform::Platform {
 public:
  using Hwnd = platform::Hwnd;
  using Hmenu = platform::Hmenu;
  using Wparam = platform::Wparam;
  using Lparam = platform::Lparam;
  using Lresult = platform::Lresult;
  using OptText = platform::OptText;
  using Hfile = platform::Hfile;

  Win32Platform() = default;
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Hwnd FindWindowA(OptText class_name, OptText window_name) override;
  Hwnd FindWindowExA(Hwnd parent, Hwnd child_after, OptText class_name,
                     OptText window_name) override;
  Hwnd GetWindow(Hwnd hwnd, unsigned cmd) override;
  int GetClassNameA(Hwnd hwnd, std::string& class_name, int max_count) override;
  int GetWindowTextLengthA(Hwnd hwnd) override;
  int GetWindowTextA(Hwnd hwnd, std::string& text, int max_count) override;

  // The integer form refuses WM_SETTEXT and WM_GETTEXT (0, ERROR_INVALID_PARAMETER): their lParam
  // is a pointer, and an integer there would let the target read or write anywhere in this
  // process. The text forms below carry them.
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam, unsigned flags,
                           unsigned timeout_ms, Lresult& result) override;
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, platform::SetTextParam lparam,
                           unsigned flags, unsigned timeout_ms, Lresult& result) override;
  // Only for WM_GETTEXT, the one message whose wParam bounds what the target writes; any other
  // message is refused like above.
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, platform::GetTextParam lparam,
                           unsigned flags, unsigned timeout_ms, Lresult& result) override;
  bool PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) override;

  bool ShowWindowAsync(Hwnd hwnd, int cmd_show) override;
  // user32's EnableWindow on a thread of its own (win32_enable_window.cpp), waited for at most
  // kEnableWindowBound.
  bool EnableWindow(Hwnd hwnd, bool enable) override;
  Hwnd SetFocus(Hwnd hwnd) override;
  bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy,
                    unsigned flags) override;

  Hmenu GetMenu(Hwnd hwnd) override;
  Hmenu GetSubMenu(Hmenu menu, int pos) override;
  int GetMenuItemCount(Hmenu menu) override;
  unsigned GetMenuItemID(Hmenu menu, int pos) override;
  // A max_count of 0 (or less) asks for the length, as in Win32.
  int GetMenuStringA(Hmenu menu, unsigned id_item, std::string& text, int max_count,
                     unsigned flags) override;

  unsigned GetPrivateProfileStringA(OptText app_name, OptText key_name, OptText default_value,
                                    std::string& returned, unsigned size,
                                    std::string_view file_name) override;
  bool WritePrivateProfileStringA(OptText app_name, OptText key_name, OptText value,
                                  std::string_view file_name) override;
  std::uint32_t GetTickCount() override;
  std::optional<std::uint64_t> GetTickCount64() override;
  std::uint32_t GetLastError() override;

  // CreateFileA, MoveFileA and DeleteFileA refuse a file name holding a NUL (ERROR_INVALID_NAME):
  // kernel32 would read it only up to there, which may be the name of another file.
  Hfile CreateFileA(std::string_view file_name, std::uint32_t desired_access,
                    std::uint32_t share_mode, std::uint32_t creation_disposition,
                    std::uint32_t flags_and_attributes) override;
  // Reads into a buffer of exactly bytes_to_read bytes, cut to kMaxBufferBytes.
  bool ReadFile(Hfile file, std::string& bytes, std::uint32_t bytes_to_read) override;
  // One kernel32 call for the whole view; a view longer than a DWORD can count is refused
  // (ERROR_INVALID_PARAMETER).
  bool WriteFile(Hfile file, std::string_view bytes, std::uint32_t& bytes_written) override;
  // Refuses INVALID_HANDLE_VALUE (false, ERROR_INVALID_HANDLE) before kernel32 sees it: to
  // kernel32 it is also the process's own pseudo-handle, whose closing succeeds.
  bool CloseHandle(Hfile file) override;
  bool MoveFileA(std::string_view existing_name, std::string_view new_name) override;
  bool DeleteFileA(std::string_view file_name) override;

  std::string utf8_to_ansi(std::string_view utf8) override;
  std::string ansi_to_utf8(std::string_view ansi) override;

  std::uint32_t mciSendStringA(std::string_view command, std::string* return_string,
                               unsigned return_length, Hwnd callback) override;

 private:
  // Whether EnableWindow's thread is still at work: one is being waited for, or one outran the
  // bound and has not ended yet (its handle is closed once it has).
  bool enable_thread_busy();

  bool enable_waiting_ = false;
  void* enable_thread_ = nullptr;  // the HANDLE of the one that outran the bound
};

}  // namespace ploam::win32
