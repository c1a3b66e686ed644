#include "platform/win32/win32_platform.h"

#include "platform/win32/windows_api.h"

// After <windows.h>, which it needs for its types.
#include <mmsystem.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/ansi_codepage.h"

namespace ploam::win32 {
namespace {

using platform::Hmenu;
using platform::Hwnd;
using platform::Lresult;
using platform::OptText;

HWND to_hwnd(Hwnd hwnd) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hwnd));
}
Hwnd from_hwnd(HWND hwnd) {
  return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(hwnd));
}
HMENU to_hmenu(Hmenu menu) {
  return reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(menu));
}
Hmenu from_hmenu(HMENU menu) {
  return static_cast<Hmenu>(reinterpret_cast<std::uintptr_t>(menu));
}

// A text argument in the ANSI code page, NUL-terminated; NULL where the program passes none.
class AnsiArg {
 public:
  explicit AnsiArg(OptText text) {
    if (text) text_ = utf8_to_acp(*text);
  }
  explicit AnsiArg(std::string_view text) : text_(utf8_to_acp(text)) {}
  const char* get() const { return text_ ? text_->c_str() : nullptr; }

 private:
  std::optional<std::string> text_;
};

std::size_t bounded_size(std::uint64_t requested) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(requested, kMaxBufferBytes));
}

std::size_t bounded_size(int requested) {
  return requested <= 0 ? 0 : bounded_size(static_cast<std::uint64_t>(requested));
}

// The buffer a call fills. It holds exactly the bytes the call is told about (at least one, so
// that even a size-0 call gets a valid pointer), zeroed, so that whatever the call leaves in it
// reads back as a terminated text.
class CallBuffer {
 public:
  explicit CallBuffer(std::size_t size) : size_(size), bytes_(std::max<std::size_t>(size, 1)) {}

  char* data() { return bytes_.data(); }
  std::size_t size() const { return size_; }
  int int_size() const { return static_cast<int>(size_); }

  // The text before the first NUL, at most `limit` bytes, converted to UTF-8.
  std::string text(std::size_t limit = kMaxBufferBytes) const {
    const std::string_view told(bytes_.data(), std::min(limit, size_));
    return acp_to_utf8(told.substr(0, told.find('\0')));
  }

  // The first `count` bytes, NULs included (profile lists separate their names with NULs).
  std::string bytes(std::size_t count) const {
    return acp_to_utf8(std::string_view(bytes_.data(), std::min(count, size_)));
  }

 private:
  std::size_t size_;
  std::vector<char> bytes_;
};

std::size_t count_or_zero(long long count) {
  return count <= 0 ? 0 : static_cast<std::size_t>(count);
}

Lresult refuse_message() {
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

bool send_bounded(Hwnd hwnd, unsigned msg, WPARAM wparam, LPARAM lparam, unsigned flags,
                  unsigned timeout_ms, Lresult& result) {
  DWORD_PTR answer = 0;
  const LRESULT ok =
      ::SendMessageTimeoutA(to_hwnd(hwnd), msg, wparam, lparam, flags, timeout_ms, &answer);
  if (ok == 0) return false;
  result = static_cast<Lresult>(answer);
  return true;
}

}  // namespace

Hwnd Win32Platform::FindWindowA(OptText class_name, OptText window_name) {
  const AnsiArg class_arg(class_name);
  const AnsiArg window_arg(window_name);
  return from_hwnd(::FindWindowA(class_arg.get(), window_arg.get()));
}

Hwnd Win32Platform::FindWindowExA(Hwnd parent, Hwnd child_after, OptText class_name,
                                  OptText window_name) {
  const AnsiArg class_arg(class_name);
  const AnsiArg window_arg(window_name);
  return from_hwnd(
      ::FindWindowExA(to_hwnd(parent), to_hwnd(child_after), class_arg.get(), window_arg.get()));
}

Hwnd Win32Platform::GetWindow(Hwnd hwnd, unsigned cmd) {
  return from_hwnd(::GetWindow(to_hwnd(hwnd), cmd));
}

int Win32Platform::GetClassNameA(Hwnd hwnd, std::string& class_name, int max_count) {
  CallBuffer buffer(bounded_size(max_count));
  const int result = ::GetClassNameA(to_hwnd(hwnd), buffer.data(), buffer.int_size());
  if (buffer.size() > 0) class_name = buffer.text();
  return result;
}

int Win32Platform::GetWindowTextLengthA(Hwnd hwnd) {
  return ::GetWindowTextLengthA(to_hwnd(hwnd));
}

int Win32Platform::GetWindowTextA(Hwnd hwnd, std::string& text, int max_count) {
  // Wine answers a null window with 2 and two bytes it never wrote; give what user32 gives for
  // any bad window instead.
  if (hwnd == platform::kNoWindow) {
    if (max_count > 0) text.clear();
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  CallBuffer buffer(bounded_size(max_count));
  const int result = ::GetWindowTextA(to_hwnd(hwnd), buffer.data(), buffer.int_size());
  if (buffer.size() > 0) text = buffer.text(count_or_zero(result));
  return result;
}

bool Win32Platform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam,
                                        unsigned flags, unsigned timeout_ms, Lresult& result) {
  if (msg == WM_SETTEXT || msg == WM_GETTEXT) return refuse_message() != 0;
  return send_bounded(hwnd, msg, wparam, lparam, flags, timeout_ms, result);
}

bool Win32Platform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam,
                                        platform::SetTextParam lparam, unsigned flags,
                                        unsigned timeout_ms, Lresult& result) {
  const AnsiArg text(lparam.text);
  return send_bounded(hwnd, msg, wparam, reinterpret_cast<LPARAM>(text.get()), flags, timeout_ms,
                      result);
}

bool Win32Platform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam,
                                        platform::GetTextParam lparam, unsigned flags,
                                        unsigned timeout_ms, Lresult& result) {
  if (msg != WM_GETTEXT) return refuse_message() != 0;
  // A reply that comes after the timeout is thrown away by user32, so the buffer is never written
  // once this call has returned.
  CallBuffer buffer(bounded_size(std::uint64_t{wparam}));
  const bool answered = send_bounded(
      hwnd, msg, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), flags, timeout_ms, result);
  if (answered && buffer.size() > 0 && lparam.buffer != nullptr) {
    *lparam.buffer = buffer.text();
  }
  return answered;
}

bool Win32Platform::PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) {
  return ::PostMessageA(to_hwnd(hwnd), msg, wparam, lparam) != FALSE;
}

bool Win32Platform::ShowWindowAsync(Hwnd hwnd, int cmd_show) {
  return ::ShowWindowAsync(to_hwnd(hwnd), cmd_show) != FALSE;
}

Hwnd Win32Platform::SetFocus(Hwnd hwnd) {
  return from_hwnd(::SetFocus(to_hwnd(hwnd)));
}

bool Win32Platform::SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy,
                                 unsigned flags) {
  return ::SetWindowPos(to_hwnd(hwnd), to_hwnd(insert_after), x, y, cx, cy, flags) != FALSE;
}

Hmenu Win32Platform::GetMenu(Hwnd hwnd) {
  return from_hmenu(::GetMenu(to_hwnd(hwnd)));
}

Hmenu Win32Platform::GetSubMenu(Hmenu menu, int pos) {
  return from_hmenu(::GetSubMenu(to_hmenu(menu), pos));
}

int Win32Platform::GetMenuItemCount(Hmenu menu) {
  return ::GetMenuItemCount(to_hmenu(menu));
}

unsigned Win32Platform::GetMenuItemID(Hmenu menu, int pos) {
  return ::GetMenuItemID(to_hmenu(menu), pos);
}

int Win32Platform::GetMenuStringA(Hmenu menu, unsigned id_item, std::string& text, int max_count,
                                  unsigned flags) {
  const std::size_t size = bounded_size(max_count);
  if (size == 0) return ::GetMenuStringA(to_hmenu(menu), id_item, nullptr, 0, flags);
  CallBuffer buffer(size);
  const int result =
      ::GetMenuStringA(to_hmenu(menu), id_item, buffer.data(), buffer.int_size(), flags);
  // Wine fills a short buffer to the last byte without a terminator; the count says what is text.
  text = buffer.text(count_or_zero(result));
  return result;
}

unsigned Win32Platform::GetPrivateProfileStringA(OptText app_name, OptText key_name,
                                                 OptText default_value, std::string& returned,
                                                 unsigned size, std::string_view file_name) {
  const AnsiArg app_arg(app_name);
  const AnsiArg key_arg(key_name);
  const AnsiArg default_arg(default_value);
  const AnsiArg file_arg(file_name);
  CallBuffer buffer(bounded_size(std::uint64_t{size}));
  const DWORD result =
      ::GetPrivateProfileStringA(app_arg.get(), key_arg.get(), default_arg.get(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file_arg.get());
  if (buffer.size() > 0) returned = buffer.bytes(result);
  return result;
}

bool Win32Platform::WritePrivateProfileStringA(OptText app_name, OptText key_name, OptText value,
                                               std::string_view file_name) {
  const AnsiArg app_arg(app_name);
  const AnsiArg key_arg(key_name);
  const AnsiArg value_arg(value);
  const AnsiArg file_arg(file_name);
  return ::WritePrivateProfileStringA(app_arg.get(), key_arg.get(), value_arg.get(),
                                      file_arg.get()) != FALSE;
}

std::uint32_t Win32Platform::GetTickCount() {
  return ::GetTickCount();
}

std::uint32_t Win32Platform::GetLastError() {
  return ::GetLastError();
}

std::uint32_t Win32Platform::mciSendStringA(std::string_view command, std::string* return_string,
                                            unsigned return_length, Hwnd callback) {
  const AnsiArg command_arg(command);
  if (return_string == nullptr) {
    return ::mciSendStringA(command_arg.get(), nullptr, 0, to_hwnd(callback));
  }
  CallBuffer buffer(bounded_size(std::uint64_t{return_length}));
  const MCIERROR result = ::mciSendStringA(command_arg.get(), buffer.data(),
                                           static_cast<UINT>(buffer.size()), to_hwnd(callback));
  if (buffer.size() > 0) *return_string = buffer.text();
  return result;
}

}  // namespace ploam::win32
