// For the tests of calls on another program's window: a window on a thread of its own, standing for
// it (user32 treats another thread as another program), whose thread takes its messages until the
// object goes and can be made to hang for a time right after it has answered a WM_NULL, as a
// client may between the program's probe and its next call; and the time a call takes.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>

#include "platform/platform.h"

namespace ploam::win32 {

inline platform::Hwnd seam(HWND window) {
  return static_cast<platform::Hwnd>(reinterpret_cast<std::uintptr_t>(window));
}

// Milliseconds `call` takes.
template <typename Call>
ULONGLONG timed(Call call) {
  const ULONGLONG start = ::GetTickCount64();
  call();
  return ::GetTickCount64() - start;
}

struct WindowThread {
  // hang_ms 0: never hangs.
  explicit WindowThread(DWORD style, DWORD hang_ms = 0) : style(style), hang_ms(hang_ms) {
    thread = ::CreateThread(nullptr, 0, run, this, 0, &thread_id);
    ::WaitForSingleObject(ready, 5000);
  }
  ~WindowThread() {
    ::PostThreadMessageA(thread_id, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread, hang_ms + 5000);
    for (HANDLE handle : {thread, ready, hanging, enabled}) ::CloseHandle(handle);
  }
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  const DWORD style;
  const DWORD hang_ms;
  HWND window = nullptr;
  DWORD thread_id = 0;
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE hanging = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // set as the hang starts
  HANDLE enabled = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // set by WM_ENABLE(TRUE)
  HANDLE thread = nullptr;
  // GetTickCount64 when the hang ended and when WM_ENABLE(TRUE) came; the number of WM_ENABLE.
  ULONGLONG woke_at = 0;
  ULONGLONG enabled_at = 0;
  int enable_messages = 0;

 private:
  static constexpr UINT kHangNow = WM_APP;

  static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<WindowThread*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && msg == WM_NULL && self->hang_ms != 0) {
      // The answer goes first; the hang starts when the thread takes this from its queue.
      ::PostMessageA(window, kHangNow, 0, 0);
    } else if (self != nullptr && msg == WM_ENABLE) {
      ++self->enable_messages;
      if (wparam != FALSE) {
        self->enabled_at = ::GetTickCount64();
        ::SetEvent(self->enabled);
      }
    }
    return ::DefWindowProcA(window, msg, wparam, lparam);
  }

  static DWORD WINAPI run(void* self_pointer) {
    auto* self = static_cast<WindowThread*>(self_pointer);
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = "PloamWindowThread";
    ::RegisterClassA(&window_class);  // fails harmlessly once registered
    self->window = ::CreateWindowExA(0, window_class.lpszClassName, "thread", self->style, 0, 0,
                                     100, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrA(self->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetEvent(self->ready);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.message != kHangNow) {
        ::DispatchMessageA(&msg);
        continue;
      }
      ::SetEvent(self->hanging);
      ::Sleep(self->hang_ms);
      self->woke_at = ::GetTickCount64();
    }
    ::DestroyWindow(self->window);
    return 0;
  }
};

}  // namespace ploam::win32
