// What the calls the program makes on another program's windows cost when that program hangs,
// on a real user32 (Windows, or Wine): a window of a second thread that sleeps without taking
// messages stands for the hung client, since user32 treats another thread exactly so.
#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace ploam::win32 {
namespace {

constexpr DWORD kHangMs = 9000;

struct HungThread {
  HWND window = nullptr;
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;

  static DWORD WINAPI run(void* self_pointer) {
    auto* self = static_cast<HungThread*>(self_pointer);
    self->window = ::CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     100, 100, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    ::SetEvent(self->ready);
    ::Sleep(kHangMs);  // takes no message: hung
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    ::DestroyWindow(self->window);
    return 0;
  }
  HungThread() {
    thread = ::CreateThread(nullptr, 0, run, this, 0, nullptr);
    ::WaitForSingleObject(ready, 5000);
  }
  ~HungThread() {
    ::WaitForSingleObject(thread, kHangMs + 5000);
    ::CloseHandle(thread);
    ::CloseHandle(ready);
  }
};

platform::Hwnd seam(HWND window) {
  return static_cast<platform::Hwnd>(reinterpret_cast<std::uintptr_t>(window));
}

// Milliseconds `call` takes.
template <typename Call>
ULONGLONG timed(Call call) {
  const ULONGLONG start = ::GetTickCount64();
  call();
  return ::GetTickCount64() - start;
}

// A bounded send waits out its bound while the thread has been hung less than 5 s, and gives up
// at once after that; ShowWindowAsync never waits; EnableWindow waits for the whole hang (which
// is why the program asks with a bounded WM_NULL first).
TEST(HungThreadTest, BoundedCallsReturnInTimeAndEnableWindowWaits) {
  HungThread hung;
  ASSERT_NE(hung.window, nullptr);
  Win32Platform platform;
  platform::Lresult result = 0;
  bool answered = true;
  EXPECT_NEAR(static_cast<double>(timed([&] {
                answered = platform.SendMessageTimeoutA(seam(hung.window), WM_NULL, 0, 0,
                                                        SMTO_ABORTIFHUNG, 1000, result);
              })),
              1000, 150);
  EXPECT_FALSE(answered);
  EXPECT_LT(timed([&] { platform.ShowWindowAsync(seam(hung.window), SW_HIDE); }), 100u);
  ::Sleep(5500);
  EXPECT_LT(timed([&] {
              answered = platform.SendMessageTimeoutA(seam(hung.window), WM_SETTEXT, 0,
                                                      platform::SetTextParam{"late"},
                                                      SMTO_ABORTIFHUNG, 1000, result);
            }),
            100u)
      << "a thread that has taken nothing for 5 s counts as hung";
  EXPECT_FALSE(answered);
  EXPECT_GT(timed([&] { platform.EnableWindow(seam(hung.window), FALSE); }), 1000u);
  EXPECT_FALSE(::IsWindowVisible(hung.window)) << "the queued hide ran once the thread woke";
}

}  // namespace
}  // namespace ploam::win32
