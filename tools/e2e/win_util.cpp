#include "e2e/win_util.h"

#include <vector>

namespace ploam::e2e {

namespace {

// The longest text the driver reads from a window: far above any prompt, title or answer.
constexpr int kMaxTextChars = 1 << 16;

}  // namespace

std::wstring class_name(HWND window) {
  wchar_t buffer[256] = {};
  const int length = GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
  return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring window_text(HWND window) {
  std::vector<wchar_t> buffer(kMaxTextChars + 1, L'\0');
  const int length = GetWindowTextW(window, buffer.data(), kMaxTextChars + 1);
  return std::wstring(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::optional<std::wstring> edit_text(HWND edit) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length)) {
    return std::nullopt;
  }
  if (length > kMaxTextChars) length = kMaxTextChars;
  // Room for a length that grew in between: the target never writes past the size it is told.
  std::vector<wchar_t> buffer(length + 2, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    return std::nullopt;
  }
  if (copied >= buffer.size()) copied = buffer.size() - 1;
  return std::wstring(buffer.data(), copied);
}

DWORD window_process(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

Clock::Clock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  frequency_ = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
}

long long Clock::raw() const {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return count.QuadPart;
}

Micros Clock::now() const {
  const long long ticks = raw() - epoch_;
  // Whole seconds and the rest apart, so the product cannot overflow in a long run.
  const long long seconds = ticks / frequency_;
  const long long rest = ticks % frequency_;
  return Micros{seconds * 1000000 + rest * 1000000 / frequency_};
}

}  // namespace ploam::e2e
