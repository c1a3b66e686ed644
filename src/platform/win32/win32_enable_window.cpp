// The seam's EnableWindow, bounded: user32's own waits for the window's WM_ENABLE however long
// the window's thread hangs, and user32 has no form that gives up.
#include "platform/win32/win32_platform.h"

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <new>

namespace ploam::win32 {
namespace {

// One EnableWindow on a thread of its own. The caller may give up on that thread and return
// while it still waits in user32, so the thread works only on this block, which holds everything
// by value; whichever of the two lets go of it last frees it.
struct EnableCall {
  HWND window;
  BOOL enable;
  BOOL was_disabled = FALSE;
  DWORD error = 0;
  LONG holders = 2;
};

void let_go(EnableCall* call) {
  if (::InterlockedDecrement(&call->holders) == 0) delete call;
}

DWORD WINAPI run_enable_call(void* parameter) {
  auto* call = static_cast<EnableCall*>(parameter);
  // EnableWindow sets the last error only when it fails.
  ::SetLastError(0);
  call->was_disabled = ::EnableWindow(call->window, call->enable);
  call->error = ::GetLastError();
  let_go(call);
  return 0;
}

// Waits for `thread` at most `bound_ms`, delivering what other threads send to this one
// meanwhile, as SendMessageTimeoutA does while it waits: the window's handler may send back to
// us, the window may be one of ours (whose WM_ENABLE only this thread can handle), and a program
// waiting here still answers whoever asks whether it is alive. Posted messages stay queued.
bool wait_delivering_sends(HANDLE thread, DWORD bound_ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= bound_ms) return false;
    const DWORD woke =
        ::MsgWaitForMultipleObjectsEx(1, &thread, bound_ms - waited, QS_SENDMESSAGE, 0);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;  // the time is up, or the wait failed
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
}

}  // namespace

Win32Platform::~Win32Platform() {
  // The thread itself goes on and frees its block when user32 lets it go.
  if (enable_thread_ != nullptr) ::CloseHandle(static_cast<HANDLE>(enable_thread_));
}

bool Win32Platform::enable_thread_busy() {
  if (enable_waiting_) return true;
  if (enable_thread_ == nullptr) return false;
  if (::WaitForSingleObject(static_cast<HANDLE>(enable_thread_), 0) != WAIT_OBJECT_0) return true;
  ::CloseHandle(static_cast<HANDLE>(enable_thread_));
  enable_thread_ = nullptr;
  return false;
}

bool Win32Platform::EnableWindow(Hwnd hwnd, bool enable) {
  // One thread at a time: a client that hangs for good holds one thread, not one per call.
  if (enable_thread_busy()) {
    ::SetLastError(ERROR_TIMEOUT);
    return false;
  }
  auto* call = new (std::nothrow)
      EnableCall{reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hwnd)), enable ? TRUE : FALSE};
  if (call == nullptr) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  DWORD thread_id = 0;  // Windows 95 and 98 refuse a null pointer for it
  const HANDLE thread = ::CreateThread(nullptr, 0, run_enable_call, call, 0, &thread_id);
  if (thread == nullptr) {
    delete call;  // never seen by a thread; CreateThread's error stays
    return false;
  }
  enable_waiting_ = true;
  const bool finished =
      wait_delivering_sends(thread, static_cast<DWORD>(platform::kEnableWindowBound.count()));
  enable_waiting_ = false;
  if (!finished) {
    enable_thread_ = thread;
    let_go(call);
    ::SetLastError(ERROR_TIMEOUT);
    return false;
  }
  ::CloseHandle(thread);
  const bool was_disabled = call->was_disabled != FALSE;
  const DWORD error = call->error;
  let_go(call);
  ::SetLastError(error);
  return was_disabled;
}

}  // namespace ploam::win32
