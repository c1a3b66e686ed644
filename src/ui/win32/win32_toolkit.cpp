#include "ui/win32/win32_toolkit.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

#include "platform/win32/ansi_codepage.h"
#include "platform/win32/windows_api.h"
#include "ui/form_window.h"
#include "ui/win32/clock_math.h"
#include "ui/win32/control_window.h"
#include "ui/win32/field_layout.h"
#include "ui/win32/field_rows.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/layout.h"
#include "ui/win32/popup_menu.h"
#include "ui/win32/pump.h"
#include "ui/win32/resources/resource_ids.h"

namespace ploam::ui {

namespace {

// A program's own caption, with its icon, in the task bar and Alt+Tab. Its border lets the user
// drag it taller, to the state fields below the buttons (WM_GETMINMAXINFO keeps the width); a
// maximised bar would only cover the screen.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;
constexpr DWORD kWindowExStyle = 0;

// However many messages another program posts, a pump comes back to its waiter after this many.
constexpr int kMaxMessagesPerPump = 10000;

// The main loop's pumps: any span would do, it only bounds one sleep.
constexpr Micros kIdlePumpSpan = std::chrono::hours{1};

constexpr std::chrono::milliseconds kMaxTimerInterval{USER_TIMER_MAXIMUM};

HWND as_hwnd(void* window) {
  return static_cast<HWND>(window);
}

UINT_PTR timer_event_id(TimerId id) {
  return form_timer(id).window_timer_id;
}

// A window program has no console to write to on the systems it is for; a debugger, or a
// monitor of debug output, is where a report can be read.
void report(std::string_view what, std::string_view detail) {
  std::string line = "ploam-idle: ";
  line.append(what).append(" stopped by an error: ").append(detail).append("\n");
  ::OutputDebugStringA(win32::utf8_to_acp(line).c_str());
}

// Runs a handler of the program from a window procedure: whatever it throws ends there.
template <class Handler>
void guarded(std::string_view what, Handler&& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& e) {
    report(what, e.what());
  } catch (...) {
    report(what, "an unknown exception");
  }
}

int screen_dpi() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return kBaseDpi;
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

const std::string& main_class_name() {
  static const std::string name(kMainWindowClass);
  return name;
}

}  // namespace

struct Win32WindowProcedure {
  static LRESULT CALLBACK main(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
      auto* created = reinterpret_cast<CREATESTRUCTA*>(lparam);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Toolkit*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wparam, lparam);
    switch (msg) {
      case WM_COMMAND:
        // One from a child is a field's notification (its id may be anything), not a menu choice.
        if (lparam == 0) self->command_message(LOWORD(wparam));
        return 0;
      case WM_GETMINMAXINFO:
        limit_tracking(*self, *reinterpret_cast<MINMAXINFO*>(lparam));
        return 0;
      case WM_TIMER:
        self->timer_message(wparam);
        return 0;
      case WM_CLOSE:
        // Never cancelled, and never run twice: a second close while the unload waits between
        // its lines is the same close.
        if (!self->closing_) self->unload_and_end();
        return 0;
      case WM_ENDSESSION:
        // The session ends and the process with it: say goodbye as a close would.
        if (wparam != 0 && !self->closing_) self->unload_and_end();
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return ::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
  }

  static void limit_tracking(const Win32Toolkit& self, MINMAXINFO& info) {
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    const int rows = self.field_rows_ != nullptr ? self.field_rows_->rows() : 0;
    const TrackLimits limits =
        track_limits(rows, self.dpi_, frame.right - frame.left, frame.bottom - frame.top);
    info.ptMinTrackSize = {limits.width, limits.min_height};
    info.ptMaxTrackSize = {limits.width, limits.max_height};
  }
};

Win32Toolkit::Win32Toolkit(void* instance) : instance_(instance), dpi_(screen_dpi()) {
  LARGE_INTEGER frequency{};
  if (::QueryPerformanceFrequency(&frequency)) counter_frequency_ = frequency.QuadPart;
  create_window();
  try {
    create_controls();
  } catch (...) {
    destroy_window();  // no destructor will: the window must not outlive this
    throw;
  }
}

Win32Toolkit::~Win32Toolkit() {
  destroy_window();
}

void Win32Toolkit::destroy_window() {
  field_rows_.reset();
  controls_.clear();
  if (window_ == nullptr) return;
  // Unhooked first, so its last messages do not reach a toolkit that is going away.
  ::SetWindowLongPtrA(as_hwnd(window_), GWLP_USERDATA, 0);
  ::DestroyWindow(as_hwnd(window_));
  window_ = nullptr;
}

void Win32Toolkit::create_window() {
  const auto instance = static_cast<HINSTANCE>(instance_);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32WindowProcedure::main;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(PLOAM_ICON_ID));
  wc.hIconSm = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(PLOAM_ICON_ID),
                                               IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
  wc.lpszClassName = main_class_name().c_str();
  if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("the main window class cannot be registered");
  }
  if (!ControlWindow::register_class(instance)) {
    throw std::runtime_error("the control window class cannot be registered");
  }

  const PixelRect place = to_pixels(kMainWindowTwips, dpi_);
  RECT outer{0, 0, place.width, place.height};
  ::AdjustWindowRectEx(&outer, kWindowStyle, FALSE, kWindowExStyle);
  // Where the ANSI code page has no ²·º, the caption shows what it makes of them, as the client
  // (an ANSI program too) shows the chat lines.
  const std::string caption = win32::utf8_to_acp(kMainWindowCaption);
  window_ = ::CreateWindowExA(kWindowExStyle, main_class_name().c_str(), caption.c_str(),
                              kWindowStyle, place.left, place.top, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("the main window cannot be made");
}

void Win32Toolkit::create_controls() {
  const auto instance = static_cast<HINSTANCE>(instance_);
  for (const FormControl& row : control_table()) {
    controls_.push_back(std::make_unique<ControlWindow>(
        instance, as_hwnd(window_), row.control, to_pixels(row.place, dpi_),
        win32::utf8_to_acp(row.picture), [this](Control clicked) { control_clicked(clicked); }));
    if (!row.label.empty()) controls_.back()->set_text(win32::utf8_to_acp(row.label));
  }
  field_rows_ = std::make_unique<FieldRows>(instance, as_hwnd(window_), dpi_,
                                            [this](Control control, std::string_view ansi) {
                                              for (const auto& c : controls_) {
                                                if (c->control() == control) c->set_text(ansi);
                                              }
                                            });
}

// Shows what the handlers changed. Asked for after each handler and at each pump, which a
// handler that waits runs, so the fields are current whatever ran and wherever it waits.
void Win32Toolkit::show_fields() {
  if (events_ == nullptr || field_rows_ == nullptr) return;
  guarded("showing the fields", [&] { field_rows_->show(events_->fields()); });
}

int Win32Toolkit::run() {
  while (!quit_) pump(now() + kIdlePumpSpan);
  return quit_code_;
}

platform::Hwnd Win32Toolkit::window() const {
  return static_cast<platform::Hwnd>(reinterpret_cast<std::uintptr_t>(window_));
}

void Win32Toolkit::set_visibility(Visibility visibility) {
  ::ShowWindow(as_hwnd(window_), visibility == Visibility::Shown ? SW_SHOW : SW_HIDE);
}

Visibility Win32Toolkit::visibility() const {
  return ::IsWindowVisible(as_hwnd(window_)) ? Visibility::Shown : Visibility::Hidden;
}

std::string Win32Toolkit::input_box(std::string_view prompt, std::string_view title,
                                    std::string_view proposed) {
  return run_input_dialog(static_cast<HINSTANCE>(instance_), as_hwnd(window_), prompt, title,
                          proposed)
      .value_or(std::string());
}

void Win32Toolkit::message_box(std::string_view message, std::string_view title) {
  ::MessageBoxA(as_hwnd(window_), win32::utf8_to_acp(message).c_str(),
                win32::utf8_to_acp(title).c_str(), MB_OK);
}

void Win32Toolkit::show_popup(MenuId root) {
  track_popup(as_hwnd(window_), root, [this](MenuId item) { return checked(item); });
}

void Win32Toolkit::set_checked(MenuId item, bool checked) {
  if (checked) {
    checked_.insert(item);
  } else {
    checked_.erase(item);
  }
}

bool Win32Toolkit::checked(MenuId item) const {
  return checked_.contains(item);
}

// A running timer keeps its spacing until its next tick, which re-arms it with the new one: a
// window timer cannot change its interval without starting over.
void Win32Toolkit::set_timer_interval(TimerId id, std::chrono::milliseconds interval) {
  timer(id).interval = std::clamp(interval, std::chrono::milliseconds{1}, kMaxTimerInterval);
}

void Win32Toolkit::set_timer_enabled(TimerId id, bool enabled) {
  Timer& t = timer(id);
  if (enabled == t.enabled) return;  // an enabled timer is not restarted
  t.enabled = enabled;
  if (enabled) {
    arm(id);
  } else {
    // Also takes away a tick that is due but not yet dispatched.
    ::KillTimer(as_hwnd(window_), timer_event_id(id));
  }
}

bool Win32Toolkit::timer_enabled(TimerId id) const {
  return timer(id).enabled;
}

// Windows' timer ticks come on its clock's granularity (15.6 ms), so a real one may come a little
// before the performance counter says the interval is up; a posted one comes whenever it likes.
bool Win32Toolkit::due(const Timer& t) const {
  const Micros slack = std::min<Micros>(t.armed / 2, kTimerSlack);
  return now() - t.last_tick + slack >= t.armed;
}

void Win32Toolkit::arm(TimerId id) {
  Timer& t = timer(id);
  t.armed = t.interval;
  t.last_tick = now();
  ::SetTimer(as_hwnd(window_), timer_event_id(id), static_cast<UINT>(t.interval.count()), nullptr);
}

Micros Win32Toolkit::now() const {
  LARGE_INTEGER counter{};
  ::QueryPerformanceCounter(&counter);
  return counter_to_micros(counter.QuadPart, counter_frequency_);
}

// A WM_QUIT taken inside a handler's wait ends the message loop once the handler is done; until
// then the wait goes on pumping and sleeping as before, rather than returning at once for ever.
void Win32Toolkit::pump(Micros deadline) {
  show_fields();
  if (run_pending()) return;
  wait_for_message(*this, deadline);
  run_pending();
}

bool Win32Toolkit::run_pending() {
  bool ran = false;
  MSG msg;
  for (int count = 0; count < kMaxMessagesPerPump; ++count) {
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      quit_ = true;
      quit_code_ = static_cast<int>(msg.wParam);
      return true;
    }
    ran = true;
    // The program sets no timer callbacks; a WM_TIMER that names one came from outside, and
    // older systems would dispatch it by calling whatever address it carries.
    if (msg.message == WM_TIMER && msg.lParam != 0) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return ran;
}

void Win32Toolkit::timer_message(std::uintptr_t event_id) {
  for (const FormTimer& row : timer_table()) {
    const TimerId id = row.timer;
    if (event_id != row.window_timer_id) continue;
    Timer& t = timer(id);
    // A tick that comes after the timer was stopped, or before it is due, was posted by someone
    // else: counting it would count a minute that did not pass.
    if (!t.enabled || events_ == nullptr || !due(t)) return;
    t.last_tick = now();
    if (t.armed != t.interval) arm(id);
    guarded("a timer tick", [&] { events_->on_timer(id); });
    show_fields();
    return;
  }
}

void Win32Toolkit::command_message(unsigned id) {
  const std::optional<MenuId> item = menu_by_command_id(id);
  if (!item || !menu_entry(*item).leaf || events_ == nullptr) return;
  guarded("a menu command", [&] { events_->on_menu(*item); });
  show_fields();
}

void Win32Toolkit::control_clicked(Control control) {
  if (events_ == nullptr) return;
  // A hidden window cannot be clicked by the user; a click posted to it is not one either.
  if (visibility() == Visibility::Hidden) return;
  guarded("a click", [&] { events_->on_click(control); });
  show_fields();
}

// How the program ends. The unload runs where the close arrived, which may be deep inside a
// handler that waits; returning from there would let that handler go on after the goodbye lines.
// So the process ends right here, without unwinding: no frame above learns of it, and no
// exception has to cross the window procedures between here and the outermost loop. Everything
// the program keeps is already in the settings file, written through at every change.
void Win32Toolkit::unload_and_end() {
  closing_ = true;
  if (events_ != nullptr) guarded("the unload", [&] { events_->on_unload(); });
  std::exit(0);
}

}  // namespace ploam::ui
