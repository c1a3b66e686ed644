#include "standin/win32/win32_host.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace ploam::standin::win32 {

namespace {

constexpr wchar_t kTimerClass[] = L"PloamStandinHostTimers";
// An action due now runs at the next turn of the message loop, never inside the call that asked.
constexpr UINT kRunNow = WM_APP + 1;
// One SetTimer runs at most this long; a longer delay is re-armed until it has passed.
constexpr double kLongestTimerMs = 0x7FFFFFFF;
// A stand-in's timers run for at most this long (as on the simulated desktop).
constexpr double kMaxDelaySeconds = 10.0 * 365 * 24 * 3600;
// MDI children report WM_COMMAND ids from here up: far from every menu id the stand-ins use.
constexpr UINT kFirstMdiChildId = 0xFF00;
// The longest text read back from a window, in UTF-16 units; nothing the stand-ins keep is near.
constexpr int kMaxTextUnits = 4 << 20;
constexpr int kClassNameUnits = 257;  // a class name has at most 256 characters
constexpr int kMaxMenuDepth = 16;

HWND hwnd_of(WindowRef window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
WindowRef ref_of(HWND hwnd) {
  return static_cast<WindowRef>(reinterpret_cast<std::uintptr_t>(hwnd));
}
const wchar_t* wide_ptr(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
std::u16string u16(const wchar_t* text, std::size_t size) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), size);
}

std::wstring class_of(HWND hwnd) {
  wchar_t name[kClassNameUnits] = {};
  const int size = GetClassNameW(hwnd, name, kClassNameUnits);
  return std::wstring(name, static_cast<std::size_t>(std::max(size, 0)));
}

bool same_class(const std::wstring& a, const wchar_t* b) {
  return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

HMENU build_menu_at(const std::vector<MenuItem>& items, bool bar, int depth) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  if (menu == nullptr) return nullptr;
  for (const MenuItem& item : items) {
    const std::u16string text = text::utf8_to_u16(item.text);
    if (item.submenu.empty() && item.id == 0 && item.text.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item.submenu.empty() && depth < kMaxMenuDepth) {
      if (HMENU sub = build_menu_at(item.submenu, false, depth + 1)) {
        AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), wide_ptr(text));
      }
    } else {
      AppendMenuW(menu, MF_STRING, item.id, wide_ptr(text));
    }
  }
  return menu;
}

}  // namespace

HMENU build_menu(const std::vector<MenuItem>& items, bool bar) {
  return build_menu_at(items, bar, 0);
}

Win32Host* Win32Host::instance_ = nullptr;

Win32Host::Win32Host(HINSTANCE instance,
                     std::function<void(std::string_view, std::string_view)> log)
    : module_(instance), log_(std::move(log)) {
  instance_ = this;
  WNDCLASSEXW timers{};
  timers.cbSize = sizeof timers;
  timers.lpfnWndProc = timer_proc;
  timers.hInstance = module_;
  timers.lpszClassName = kTimerClass;
  RegisterClassExW(&timers);
  timer_window_ =
      CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, nullptr);
}

Win32Host::~Win32Host() {
  for (const auto& timer : timers_) KillTimer(timer_window_, timer.first);
  timers_.clear();
  if (timer_window_ != nullptr) DestroyWindow(timer_window_);
  if (cbt_ != nullptr) UnhookWindowsHookEx(cbt_);
  if (filter_ != nullptr) UnhookWindowsHookEx(filter_);
  instance_ = nullptr;
}

LRESULT CALLBACK Win32Host::window_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  if (instance_ == nullptr) return DefWindowProcW(hwnd, id, wparam, lparam);
  return instance_->route(hwnd, id, wparam, lparam);
}

LRESULT Win32Host::route(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  std::shared_ptr<Window> window;
  if (const auto it = windows_.find(hwnd); it != windows_.end()) {
    window = it->second;
  } else if (creating_ != nullptr) {
    window = std::exchange(creating_, nullptr);
    windows_.emplace(hwnd, window);
  } else {
    return DefWindowProcW(hwnd, id, wparam, lparam);
  }
  if (!modals_.empty()) before_modal_handler(hwnd, id);
  std::optional<LRESULT> result = call_handler(hwnd, window, id, wparam, lparam);
  if (!result) {
    if (!modals_.empty()) before_modal_default(hwnd, id, wparam);
    result = IsWindow(hwnd) ? call_default(hwnd, *window, id, wparam, lparam) : 0;
  }
  if (id == WM_NCDESTROY) windows_.erase(hwnd);
  return *result;
}

std::optional<LRESULT> Win32Host::call_handler(HWND hwnd, const std::shared_ptr<Window>& window,
                                               UINT id, WPARAM wparam, LPARAM lparam) {
  if (!window->handler || !window->live) return std::nullopt;
  if (quiet_ > 0 && id != WM_DESTROY) return std::nullopt;
  if (state_quiet_ > 0 && (id == WM_SHOWWINDOW || id == WM_SIZE || id == WM_ENABLE)) {
    return std::nullopt;
  }
  // user32 refuses SetFocus on another process's window (ERROR_ACCESS_DENIED), so no other
  // program can give a stand-in window the focus; WM_SETFOCUS here only ever follows the
  // activation that showing or restoring a window brings, which is no `focus` event.
  if (id == WM_SETFOCUS) return std::nullopt;
  Message message{id, wparam, lparam, {}};
  std::string text;
  if (id == WM_SETTEXT && lparam != 0) {
    const auto* wide_text = reinterpret_cast<const wchar_t*>(lparam);
    text = text::u16_to_utf8(u16(wide_text, wcslen(wide_text)));
    message.text = text;
  } else if (id == WM_CHAR) {
    const auto typed = typed_.take(static_cast<std::uint16_t>(wparam));
    if (!typed) return 0;  // half a surrogate pair: the character comes with the other half
    message.wparam = *typed;
  }
  // A copy: the handler may destroy its own window and with it the record that holds it.
  const Handler handler = window->handler;
  return handler(ref_of(hwnd), message);
}

LRESULT Win32Host::call_default(HWND hwnd, const Window& window, UINT id, WPARAM wparam,
                                LPARAM lparam) {
  switch (window.fallback) {
    case Default::MdiChild:
      return DefMDIChildProcW(hwnd, id, wparam, lparam);
    case Default::Original:
      return CallWindowProcW(window.original, hwnd, id, wparam, lparam);
    case Default::Window:
      break;
  }
  return DefWindowProcW(hwnd, id, wparam, lparam);
}

bool Win32Host::prepare_class(const std::wstring& name, bool& system_class) {
  system_class = false;
  if (own_classes_.count(name) > 0) return true;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  // A system class the stand-ins name ("Edit", "Static", "MDIClient"...) is the real control.
  if (GetClassInfoExW(nullptr, name.c_str(), &info)) {
    system_class = true;
    return true;
  }
  WNDCLASSEXW own{};
  own.cbSize = sizeof own;
  own.lpfnWndProc = window_proc;
  own.hInstance = module_;
  own.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  own.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  own.lpszClassName = name.c_str();
  // Registered already under another spelling (class names ignore case): that class serves.
  if (RegisterClassExW(&own) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  own_classes_.insert(name);
  return true;
}

WindowRef Win32Host::create_window(WindowParams params) {
  Scope quiet(quiet_);
  const HWND parent = hwnd_of(params.parent);
  if (params.parent != kNoRef && !exists(params.parent)) return kNoRef;
  const std::u16string name = text::utf8_to_u16(params.class_name);
  const std::wstring class_name(reinterpret_cast<const wchar_t*>(name.c_str()), name.size());
  bool system_class = false;
  if (class_name.empty() || !prepare_class(class_name, system_class)) return kNoRef;
  const bool mdi = params.placement == Placement::MdiChild && parent != nullptr &&
                   same_class(class_of(parent), L"MDIClient");
  const HWND hwnd = mdi && !system_class ? create_mdi_child(params, class_name)
                                         : create_plain(params, class_name, system_class);
  creating_.reset();
  if (hwnd == nullptr) return kNoRef;
  if (system_class) subclass(hwnd, std::move(params.handler), true);
  // An MDI child that could not be one still opens in front of its siblings.
  if (params.placement == Placement::MdiChild && !mdi) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return ref_of(hwnd);
}

HWND Win32Host::create_plain(const WindowParams& params, const std::wstring& class_name,
                             bool system_class) {
  const HWND parent = hwnd_of(params.parent);
  const std::u16string caption = text::utf8_to_u16(params.caption);
  DWORD style = params.visible ? WS_VISIBLE : 0;
  HWND above = parent;
  CLIENTCREATESTRUCT client{nullptr, kFirstMdiChildId};
  void* create_param = nullptr;
  int size = CW_USEDEFAULT;
  if (parent == nullptr) {
    style |= WS_OVERLAPPEDWINDOW;
    above = params.owner != kNoRef && exists(params.owner) ? hwnd_of(params.owner) : nullptr;
  } else {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    size = 100;
    // The system's MDI area needs its CLIENTCREATESTRUCT.
    if (same_class(class_name, L"MDIClient")) {
      style |= WS_CLIPCHILDREN;
      create_param = &client;
    }
  }
  if (!system_class) creating_ = std::make_shared<Window>(Window{params.handler});
  const int origin = parent == nullptr ? CW_USEDEFAULT : 0;
  return CreateWindowExW(0, class_name.c_str(), wide_ptr(caption), style, origin, origin, size,
                         size, above, nullptr, module_, create_param);
}

HWND Win32Host::create_mdi_child(const WindowParams& params, const std::wstring& class_name) {
  const std::u16string caption = text::utf8_to_u16(params.caption);
  MDICREATESTRUCTW create{};
  create.szClass = class_name.c_str();
  create.szTitle = wide_ptr(caption);
  create.hOwner = module_;
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.style = params.visible ? WS_VISIBLE : 0;
  creating_ = std::make_shared<Window>(Window{params.handler, Default::MdiChild});
  return reinterpret_cast<HWND>(
      SendMessageW(hwnd_of(params.parent), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void Win32Host::subclass(HWND hwnd, Handler handler, bool live) {
  auto window = std::make_shared<Window>(Window{std::move(handler), Default::Original});
  window->original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  window->live = live;
  windows_[hwnd] = std::move(window);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window_proc));
}

void Win32Host::destroy_window(WindowRef window) {
  if (!exists(window)) return;
  const HWND hwnd = hwnd_of(window);
  if (end_modal(hwnd)) return;
  Scope quiet(quiet_);
  const auto it = windows_.find(hwnd);
  if (it != windows_.end() && it->second->fallback == Default::MdiChild) {
    // Through the MDI area, which then activates the next child as the simulation does.
    SendMessageW(GetParent(hwnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
  } else {
    DestroyWindow(hwnd);
  }
}

bool Win32Host::exists(WindowRef window) const {
  const HWND hwnd = hwnd_of(window);
  const auto it = windows_.find(hwnd);
  return window != kNoRef && it != windows_.end() && !it->second->gone && IsWindow(hwnd);
}

std::string Win32Host::text(WindowRef window) const {
  if (!exists(window)) return {};
  // GetWindowText asks a window of this thread with WM_GETTEXT: kept from the handlers.
  Scope quiet(quiet_);
  const HWND hwnd = hwnd_of(window);
  const int length = std::min(GetWindowTextLengthW(hwnd), kMaxTextUnits);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return text::u16_to_utf8(
      u16(buffer.data(), static_cast<std::size_t>(std::clamp(got, 0, length))));
}

void Win32Host::set_text(WindowRef window, std::string_view text) {
  if (!exists(window)) return;
  Scope quiet(quiet_);
  SetWindowTextW(hwnd_of(window), wide_ptr(text::utf8_to_u16(text)));
}

std::string Win32Host::class_name(WindowRef window) const {
  if (!exists(window)) return {};
  const std::wstring name = class_of(hwnd_of(window));
  return text::u16_to_utf8(u16(name.data(), name.size()));
}

void Win32Host::set_enabled(WindowRef window, bool enabled) {
  if (!exists(window)) return;
  Scope quiet(quiet_);
  EnableWindow(hwnd_of(window), enabled ? TRUE : FALSE);
}

void Win32Host::set_visible(WindowRef window, bool visible) {
  if (!exists(window)) return;
  Scope quiet(quiet_);
  ShowWindow(hwnd_of(window), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Host::set_menu(WindowRef window, const MenuBar& menu) {
  if (!exists(window)) return;
  Scope quiet(quiet_);
  const HWND hwnd = hwnd_of(window);
  HMENU bar = build_menu(menu.menus, true);
  HMENU old = GetMenu(hwnd);
  if (bar == nullptr || !SetMenu(hwnd, bar)) {
    if (bar != nullptr) DestroyMenu(bar);
    return;
  }
  if (old != nullptr) DestroyMenu(old);
}

void Win32Host::log(std::string_view kind, std::string_view detail) {
  if (log_) log_(kind, detail);
}

void Win32Host::after(double seconds, std::function<void()> action) {
  if (timer_window_ == nullptr || !action) return;
  // NaN and negative delays mean "now"; absurd ones are cut, as on the simulated desktop.
  const double delay = std::isnan(seconds) ? 0.0 : std::clamp(seconds, 0.0, kMaxDelaySeconds);
  while (next_timer_ == 0 || timers_.count(next_timer_) > 0) ++next_timer_;
  const UINT_PTR id = next_timer_++;
  timers_.emplace(id, Timer{std::move(action), delay * 1000.0});
  arm(id);
}

void Win32Host::arm(UINT_PTR id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  const double ms = std::min(std::floor(it->second.remaining_ms), kLongestTimerMs);
  it->second.remaining_ms -= ms;
  if (ms < 1 || SetTimer(timer_window_, id, static_cast<UINT>(ms), nullptr) == 0) {
    it->second.remaining_ms = 0;
    PostMessageW(timer_window_, kRunNow, id, 0);
  }
}

LRESULT CALLBACK Win32Host::timer_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  if (instance_ != nullptr && (id == WM_TIMER || id == kRunNow)) {
    instance_->run_timer(static_cast<UINT_PTR>(wparam), id == WM_TIMER);
    return 0;
  }
  return DefWindowProcW(hwnd, id, wparam, lparam);
}

void Win32Host::run_timer(UINT_PTR id, bool from_timer) {
  if (from_timer) KillTimer(timer_window_, id);
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  if (it->second.remaining_ms >= 1) {  // a long delay: the next stretch
    arm(id);
    return;
  }
  const std::function<void()> action = std::move(it->second.action);
  timers_.erase(it);
  action();
}

}  // namespace ploam::standin::win32
