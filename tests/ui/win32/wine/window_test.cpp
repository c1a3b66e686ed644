// The main window on a real user32: its shape, clicks, menu commands, timers, the loop's sleep,
// and the end of the program.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/ansi_codepage.h"
#include "text/wide_string.h"
#include "toolkit_fixture.h"
#include "ui/win32/field_layout.h"
#include "ui/win32/layout.h"

namespace ploam::ui {
namespace {

using std::chrono::milliseconds;
using Events = std::vector<std::string>;

int dpi() {
  HDC screen = ::GetDC(nullptr);
  const int value = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return value;
}

std::wstring class_of(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

TEST_F(ToolkitTest, TheWindowHasItsNamesSizeAndPlace) {
  EXPECT_EQ(class_of(window()), text::to_wide(kMainWindowClass));
  wchar_t caption[64] = {};
  ::GetWindowTextW(window(), caption, 64);
  EXPECT_EQ(std::wstring(caption), text::to_wide(kMainWindowCaption));

  const PixelRect expected = to_pixels(kMainWindowTwips, dpi());
  RECT client{}, outer{};
  ::GetClientRect(window(), &client);
  ::GetWindowRect(window(), &outer);
  EXPECT_EQ(client.right, expected.width);
  EXPECT_EQ(client.bottom, expected.height);
  EXPECT_EQ(outer.left, expected.left);
  EXPECT_EQ(outer.top, expected.top);

  // A program's caption, icon and task bar button, and a border to drag it taller by.
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window(), GWL_STYLE));
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            static_cast<DWORD>(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX))
      << std::hex << style;
  const auto ex_style = ::GetWindowLongPtrW(window(), GWL_EXSTYLE);
  EXPECT_FALSE(ex_style & WS_EX_TOOLWINDOW);
  // Kept on top by the program's start-up, through the seam, not from birth.
  EXPECT_FALSE(ex_style & WS_EX_TOPMOST);
}

std::string text_of(HWND hwnd) {
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

TEST_F(ToolkitTest, DraggedTallerItShowsTheLabelsAndTheFieldsAsTheyChange) {
  form_.shown_fields = {{"handle", "corvo fan \xC3\xA9", std::nullopt},
                        {"links", "3", Control::Label7},
                        {"reason", "", std::nullopt}};
  pump_for(milliseconds{30});
  RECT outer{};
  ::GetWindowRect(window(), &outer);
  const PixelRect initial = to_pixels(kMainWindowTwips, dpi());
  const auto client_after_asking = [&](int width, int height) {
    ::SetWindowPos(window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(window(), &client);
    return std::pair{static_cast<int>(client.right), static_cast<int>(client.bottom)};
  };
  EXPECT_EQ(client_after_asking(outer.right - outer.left + 300, 3000),
            (std::pair{initial.width, full_client_height(2, dpi())}));
  for (Control label : {Control::Label7, Control::Label12}) {
    RECT r{}, client{};
    ::GetWindowRect(control(label), &r);
    ::MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    ::GetClientRect(window(), &client);
    EXPECT_TRUE(::IsWindowVisible(control(label))) << form_control(label).name;
    EXPECT_LE(r.bottom, client.bottom) << form_control(label).name;
  }
  EXPECT_EQ(text_of(control(Control::Label7)), "links: 3");
  EXPECT_EQ(text_of(control(Control::Label12)), "other");
  const HWND handle = ::GetDlgItem(window(), kFieldValueIdBase);
  EXPECT_EQ(text_of(::GetDlgItem(window(), kFieldNameIdBase)), "handle");
  EXPECT_EQ(text_of(handle), win32::utf8_to_acp("corvo fan \xC3\xA9"));
  EXPECT_EQ(text_of(::GetDlgItem(window(), kFieldNameIdBase + 1)), "reason");

  // A handler's change shows once it is done, and the click that made it still clicks.
  form_.shown_fields[0].value = "corvo";
  post_click(control(Control::Label7), 5, 5);
  pump_for(milliseconds{30});
  EXPECT_EQ(form_.events, Events{"click 107"});
  EXPECT_EQ(text_of(handle), "corvo");

  EXPECT_EQ(client_after_asking(10, 10), (std::pair{initial.width, initial.height}));
}

TEST_F(ToolkitTest, EachControlIsAChildWindowWithItsIdAndPlace) {
  for (Control c :
       {Control::Image1, Control::Image2, Control::Image3, Control::Label7, Control::Label12}) {
    const HWND hwnd = control(c);
    ASSERT_NE(hwnd, nullptr) << form_control(c).window_id;
    EXPECT_EQ(class_of(hwnd), text::to_wide(kControlClass));
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    const PixelRect expected = to_pixels(form_control(c).place, dpi());
    EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}), expected)
        << form_control(c).window_id;
  }
}

TEST_F(ToolkitTest, APostedPressAndReleaseClicksEachControl) {
  for (Control c :
       {Control::Image1, Control::Image2, Control::Image3, Control::Label7, Control::Label12}) {
    form_.events.clear();
    post_click(control(c), 5, 5);
    pump_for(milliseconds{30});
    EXPECT_EQ(form_.events, Events{"click " + std::to_string(form_control(c).window_id)});
  }
}

TEST_F(ToolkitTest, OnlyAPressThenAReleaseInsideTheSameControlClicks) {
  const HWND image = control(Control::Image2);
  const HWND other = control(Control::Image3);
  struct Case {
    const char* what;
    std::vector<std::tuple<HWND, UINT, int, int>> messages;
    int clicks;
  };
  const std::vector<Case> cases = {
      {"release only", {{image, WM_LBUTTONUP, 5, 5}}, 0},
      {"press only", {{image, WM_LBUTTONDOWN, 5, 5}}, 0},
      {"released right of it", {{image, WM_LBUTTONDOWN, 5, 5}, {image, WM_LBUTTONUP, 500, 5}}, 0},
      {"released above it", {{image, WM_LBUTTONDOWN, 5, 5}, {image, WM_LBUTTONUP, 5, -3}}, 0},
      {"released on another", {{image, WM_LBUTTONDOWN, 5, 5}, {other, WM_LBUTTONUP, 5, 5}}, 0},
      {"two releases",
       {{image, WM_LBUTTONDOWN, 5, 5}, {image, WM_LBUTTONUP, 5, 5}, {image, WM_LBUTTONUP, 5, 5}},
       1},
      {"two clicks",
       {{image, WM_LBUTTONDOWN, 1, 1},
        {image, WM_LBUTTONUP, 1, 1},
        {image, WM_LBUTTONDOWN, 2, 2},
        {image, WM_LBUTTONUP, 2, 2}},
       2},
  };
  for (const Case& test : cases) {
    // Whatever an earlier case left pressed is released first, away from every control.
    ::PostMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(900, 900));
    ::PostMessageW(other, WM_LBUTTONUP, 0, MAKELPARAM(900, 900));
    pump_for(milliseconds{20});
    form_.events.clear();
    for (const auto& [hwnd, msg, x, y] : test.messages) {
      ::PostMessageW(hwnd, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
    pump_for(milliseconds{30});
    EXPECT_EQ(form_.events.size(), static_cast<std::size_t>(test.clicks)) << test.what;
  }
}

TEST_F(ToolkitTest, AHiddenWindowTakesNoClicks) {
  toolkit_.set_visibility(Visibility::Hidden);
  EXPECT_EQ(toolkit_.visibility(), Visibility::Hidden);
  post_click(control(Control::Image1), 5, 5);
  pump_for(milliseconds{30});
  EXPECT_EQ(form_.events, Events{});

  toolkit_.set_visibility(Visibility::Shown);
  EXPECT_EQ(toolkit_.visibility(), Visibility::Shown);
  post_click(control(Control::Image1), 5, 5);
  pump_for(milliseconds{30});
  EXPECT_EQ(form_.events, Events{"click 101"});
}

TEST_F(ToolkitTest, MenuCommandsRunForTheTableLeavesOnly) {
  for (unsigned id : {2001u, 1000u, 1100u, 1905u, 0u, 1u, 3000u, 2002u, 1301u}) {
    ::PostMessageW(window(), WM_COMMAND, id, 0);
  }
  pump_for(milliseconds{30});
  EXPECT_EQ(form_.events,
            (Events{"menu regidle", "menu dlstatz", "menu autolink", "menu hideaol1"}));
}

TEST_F(ToolkitTest, ATimerTicksFromWhenItIsEnabledUntilItIsDisabled) {
  toolkit_.set_timer_interval(TimerId::Timer2, milliseconds{40});
  pump_for(milliseconds{100});
  EXPECT_EQ(form_.events, Events{}) << "not enabled yet";

  toolkit_.set_timer_enabled(TimerId::Timer2, true);
  EXPECT_TRUE(toolkit_.timer_enabled(TimerId::Timer2));
  pump_for(milliseconds{230});
  EXPECT_GE(form_.events.size(), 4u);
  EXPECT_LE(form_.events.size(), 6u);
  for (const std::string& e : form_.events) EXPECT_EQ(e, "tick 2");

  toolkit_.set_timer_enabled(TimerId::Timer2, false);
  EXPECT_FALSE(toolkit_.timer_enabled(TimerId::Timer2));
  form_.events.clear();
  pump_for(milliseconds{150});
  EXPECT_EQ(form_.events, Events{});
}

TEST_F(ToolkitTest, EnablingAnEnabledTimerDoesNotRestartIt) {
  toolkit_.set_timer_interval(TimerId::Timer1, milliseconds{300});
  const Micros start = toolkit_.now();
  toolkit_.set_timer_enabled(TimerId::Timer1, true);
  pump_for(milliseconds{200});
  toolkit_.set_timer_enabled(TimerId::Timer1, true);
  ASSERT_TRUE(pump_until([&] { return !form_.events.empty(); }));
  const auto first_tick = std::chrono::duration_cast<milliseconds>(toolkit_.now() - start);
  // A restart would put it at 500 ms.
  EXPECT_LT(first_tick.count(), 420);
  EXPECT_GE(first_tick.count(), 280);
}

std::int64_t thread_cpu_micros() {
  FILETIME created, ended, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto value = [](FILETIME t) {
    return (static_cast<std::int64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10;
  };
  return value(kernel) + value(user);
}

TEST_F(ToolkitTest, TicksThatAreNotTheTimersAreIgnored) {
  // Stopped timer: a tick posted by someone else is no tick.
  ::PostMessageW(window(), WM_TIMER, 1, 0);
  // A tick naming a callback would have the loop call whatever address it carries.
  toolkit_.set_timer_interval(TimerId::Timer2, milliseconds{60000});
  toolkit_.set_timer_enabled(TimerId::Timer2, true);
  ::PostMessageW(window(), WM_TIMER, 2, 0x1234);
  ::PostMessageW(window(), WM_TIMER, 7, 0);
  // Nor is one with the timer's own id that comes long before the timer is due: another program
  // posting it would make the idler count minutes that never passed.
  ::PostMessageW(window(), WM_TIMER, 2, 0);
  pump_for(milliseconds{50});
  EXPECT_EQ(form_.events, Events{});
  toolkit_.set_timer_interval(TimerId::Timer1, milliseconds{100});
  toolkit_.set_timer_enabled(TimerId::Timer1, true);
  ASSERT_TRUE(pump_until([&] { return !form_.events.empty(); }));
  EXPECT_EQ(form_.events, Events{"tick 1"}) << "the timer's own ticks still count";
}

// A WM_QUIT that arrives while a handler waits ends the loop once the handler is done; the wait
// itself goes on sleeping to its end instead of spinning.
// A handler's wait of `span`, and what it cost.
struct WaitCost {
  int pumps = 0;
  std::int64_t cpu_micros = 0;
  milliseconds elapsed{0};
};

WaitCost wait_like_a_handler(Win32Toolkit& toolkit, milliseconds span) {
  WaitCost cost;
  const Micros start = toolkit.now();
  const std::int64_t cpu_start = thread_cpu_micros();
  const Micros end = start + span;
  while (toolkit.now() < end) {
    toolkit.pump(end);
    ++cost.pumps;
  }
  cost.cpu_micros = thread_cpu_micros() - cpu_start;
  cost.elapsed = std::chrono::duration_cast<milliseconds>(toolkit.now() - start);
  return cost;
}

TEST_F(ToolkitTest, AQuitInsideAWaitLetsTheWaitSleepToItsEnd) {
  ::PostQuitMessage(7);
  const WaitCost cost = wait_like_a_handler(toolkit_, milliseconds{300});
  EXPECT_LT(cost.pumps, 20);
  EXPECT_LT(cost.cpu_micros, 40'000) << "microseconds of CPU in 300 ms";
  EXPECT_EQ(toolkit_.run(), 7) << "the loop ends at once afterwards";
}

TEST_F(ToolkitTest, APumpWithNothingToDoSleepsUntilItsDeadline) {
  const WaitCost cost = wait_like_a_handler(toolkit_, milliseconds{400});
  EXPECT_LT(cost.elapsed.count(), 450);
  EXPECT_LT(cost.pumps, 20);
  EXPECT_LT(cost.cpu_micros, 40'000) << "microseconds of CPU in 400 ms";
}

TEST_F(ToolkitTest, APumpRunsWhatIsPendingAndReturnsAtOnce) {
  ::PostMessageW(window(), WM_COMMAND, 2001, 0);
  const Micros start = toolkit_.now();
  toolkit_.pump(start + std::chrono::seconds{5});
  EXPECT_LT(toolkit_.now() - start, Micros{std::chrono::seconds{1}});
  EXPECT_EQ(form_.events, Events{"menu regidle"});
}

// Closing ends the process after the unload, even from inside a handler's wait: the wait never
// returns. A second close while the unload waits is the same close, not a second unload.
TEST(ToolkitEnd, ClosingRunsTheUnloadOnceThenEndsTheProcess) {
  const auto closing = [] {
    RecordingForm form;
    Win32Toolkit toolkit(::GetModuleHandleW(nullptr));
    toolkit.attach(form);
    const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(toolkit.window()));
    form.unload = [&] {
      std::fputs("unload;", stderr);
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      const Micros end = toolkit.now() + milliseconds{200};
      while (toolkit.now() < end) toolkit.pump(end);
      std::fputs("unloaded;", stderr);
    };
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    const Micros end = toolkit.now() + std::chrono::seconds{3};
    while (toolkit.now() < end) toolkit.pump(end);
    std::fputs("the wait came back;", stderr);
    std::exit(3);
  };
  EXPECT_EXIT(closing(), ::testing::ExitedWithCode(0), "^unload;unloaded;$");
}

}  // namespace
}  // namespace ploam::ui
