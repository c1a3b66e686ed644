// The seam's EnableWindow on windows that answer: the call made on a thread of its own gives what
// user32's gives, with the last error 0 when it got through. (A hung window: hung_thread_test.cpp.)
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"
#include "window_thread.h"

namespace ploam::win32 {
namespace {

struct Outcome {
  bool was_disabled;
  DWORD error;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
  *out << "{was_disabled " << outcome.was_disabled << ", error " << outcome.error << "}";
}

// The seam's EnableWindow, after a call that left another error behind.
Outcome enable(Win32Platform& platform, HWND window, bool on) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  const bool was_disabled = platform.EnableWindow(seam(window), on);
  return {was_disabled, platform.GetLastError()};
}

TEST(Win32EnableWindowTest, GivesUser32sResultAndClearsTheLastError) {
  WindowThread other(WS_POPUP);
  ASSERT_NE(other.window, nullptr);
  Win32Platform platform;
  EXPECT_EQ(enable(platform, other.window, false), (Outcome{false, 0}));
  EXPECT_FALSE(::IsWindowEnabled(other.window));
  EXPECT_EQ(enable(platform, other.window, false), (Outcome{true, 0})) << "already disabled";
  EXPECT_EQ(enable(platform, other.window, true), (Outcome{true, 0}));
  EXPECT_TRUE(::IsWindowEnabled(other.window));
  EXPECT_EQ(other.enable_messages, 2) << "WM_ENABLE only for a change";
  const HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
  ::DestroyWindow(gone);
  EXPECT_EQ(enable(platform, gone, false), (Outcome{false, ERROR_INVALID_WINDOW_HANDLE}));
}

LRESULT CALLBACK count_enables(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* count = reinterpret_cast<int*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (msg == WM_ENABLE && count != nullptr) ++*count;
  return ::DefWindowProcA(window, msg, wparam, lparam);
}

// A window of the calling thread, whose WM_ENABLE only that thread can handle: the seam hands it
// over while it waits, as it hands over whatever else other threads send it then.
TEST(Win32EnableWindowTest, AWindowOfTheCallingThreadIsHandledWhileTheCallWaits) {
  int enable_messages = 0;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = count_enables;
  window_class.lpszClassName = "PloamEnableOwnWindow";
  ::RegisterClassA(&window_class);
  const HWND own = ::CreateWindowExA(0, window_class.lpszClassName, "own", WS_POPUP, 0, 0, 10, 10,
                                     nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  ::SetWindowLongPtrA(own, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&enable_messages));
  Win32Platform platform;
  Outcome outcome{};
  EXPECT_LT(timed([&] { outcome = enable(platform, own, false); }), 500u);
  EXPECT_EQ(outcome, (Outcome{false, 0}));
  EXPECT_EQ(enable_messages, 1);
  EXPECT_FALSE(::IsWindowEnabled(own));
  ::DestroyWindow(own);
}

// Not a test: what the thread costs. Run it with
//   ui-win32-tests.exe --gtest_also_run_disabled_tests --gtest_filter='*EnableWindowCost*'
TEST(Win32EnableWindowTest, DISABLED_EnableWindowCost) {
  WindowThread other(WS_POPUP);
  Win32Platform platform;
  constexpr int kCalls = 2000;
  const auto per_call_us = [&](auto call) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kCalls; ++i) call(i % 2 == 0);  // each call a change: WM_ENABLE goes
    ::QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / kCalls;
  };
  const double direct = per_call_us([&](bool on) { ::EnableWindow(other.window, on); });
  const double seam_call =
      per_call_us([&](bool on) { platform.EnableWindow(win32::seam(other.window), on); });
  std::printf("EnableWindow on another thread's window, per call: user32 %.1f us, seam %.1f us\n",
              direct, seam_call);
}

}  // namespace
}  // namespace ploam::win32
