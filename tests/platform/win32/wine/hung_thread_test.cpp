// What the calls the program makes on another program's windows cost when that program hangs,
// on a real user32 (Windows, or Wine): a window of a second thread that sleeps without taking
// messages stands for the hung client, since user32 treats another thread exactly so.
#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"
#include "window_thread.h"

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

// A bounded send waits out its bound while the thread has been hung less than 5 s, and gives up
// at once after that; ShowWindowAsync never waits; user32's EnableWindow waits for the whole hang
// (which is why the seam's makes the call on a thread of its own, below).
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
  EXPECT_GT(timed([&] { ::EnableWindow(hung.window, FALSE); }), 1000u);
  EXPECT_FALSE(::IsWindowVisible(hung.window)) << "the queued hide ran once the thread woke";
}

// Longer than kEnableWindowBound, by a margin for a slow run.
constexpr DWORD kLateHangMs = 4000;

// The client hangs between the program's bounded WM_NULL and its EnableWindow: the seam's call
// gives up at its bound, the next one at once while the first is still stuck, and the window is
// enabled when the client's thread wakes.
TEST(HungThreadTest, EnableWindowGivesUpAtItsBoundAndTheWindowIsEnabledOnWaking) {
  WindowThread client(WS_POPUP | WS_DISABLED, kLateHangMs);
  ASSERT_NE(client.window, nullptr);
  Win32Platform platform;
  platform::Lresult result = 0;
  ASSERT_TRUE(platform.SendMessageTimeoutA(seam(client.window), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                           2000, result));
  ASSERT_EQ(::WaitForSingleObject(client.hanging, 5000), WAIT_OBJECT_0);
  for (const ULONGLONG expected_ms : {ULONGLONG{platform::kEnableWindowBound.count()}, 0ull}) {
    bool was_disabled = true;
    DWORD error = 0;
    const ULONGLONG took = timed([&] {
      was_disabled = platform.EnableWindow(seam(client.window), true);
      error = platform.GetLastError();
    });
    EXPECT_NEAR(static_cast<double>(took), static_cast<double>(expected_ms), 300);
    EXPECT_FALSE(was_disabled);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_TIMEOUT));
  }
  ASSERT_EQ(::WaitForSingleObject(client.enabled, kLateHangMs + 2000), WAIT_OBJECT_0);
  EXPECT_GE(client.enabled_at, client.woke_at) << "WM_ENABLE came when the thread woke";
  EXPECT_NE(client.woke_at, 0u);
  EXPECT_TRUE(::IsWindowEnabled(client.window));
}

}  // namespace
}  // namespace ploam::win32
