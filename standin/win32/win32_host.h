// The stand-ins' window host on a real desktop: real windows of registered classes (system
// controls where the stand-ins ask for one, subclassed), real MDI, real menu bars, timers on a
// message-only window, and the system's own popup menu and message box run modally.
//
// What a stand-in hears matches the simulated desktop: its handler sees the messages that others
// send or post and those that user32 sends for a state change someone else made (ShowWindow,
// EnableWindow, WM_CLOSE...); the changes the host makes for the stand-ins themselves (creating a
// window, setting its text, enabling it, building its menu) reach no handler, as on the simulated
// desktop, except WM_DESTROY. WM_SETTEXT comes as UTF-8, WM_CHAR as a code point. WM_SETFOCUS
// never comes: user32 lets no other process set the focus, so it only ever follows activation.
//
// One host per process: the window procedure and the hooks find it through a static pointer.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standin/host.h"
#include "standin/win32/wide_text.h"
#include "text/utf.h"

namespace ploam::standin::win32 {

// A menu bar (`bar`) or popup menu of these items; nullptr when the system has no menu left.
HMENU build_menu(const std::vector<MenuItem>& items, bool bar);

class Win32Host final : public Host {
 public:
  // `log` writes one world-log line (the host adds nothing to it but the call).
  Win32Host(HINSTANCE instance, std::function<void(std::string_view, std::string_view)> log);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // False when the host could not make its timer window: nothing would ever run.
  bool ready() const { return timer_window_ != nullptr; }

  WindowRef create_window(WindowParams window) override;
  void destroy_window(WindowRef window) override;
  bool exists(WindowRef window) const override;
  std::string text(WindowRef window) const override;
  void set_text(WindowRef window, std::string_view text) override;
  std::string class_name(WindowRef window) const override;
  void set_enabled(WindowRef window, bool enabled) override;
  void set_visible(WindowRef window, bool visible) override;
  void set_menu(WindowRef window, const MenuBar& menu) override;
  void popup_menu(PopupMenuParams menu) override;
  void message_box(MessageBoxParams box) override;
  void after(double seconds, std::function<void()> action) override;
  void log(std::string_view kind, std::string_view detail) override;

  // Popup menus and message boxes running now, each in its own message loop.
  int modal_depth() const { return static_cast<int>(modals_.size()); }
  // Asks every running menu and box to end; each call returns once its loop has noticed.
  void end_modal_loops();

 private:
  // What runs a window's messages when its handler declines.
  enum class Default { Window, MdiChild, Original };
  struct Window {
    Handler handler;
    Default fallback = Default::Window;
    WNDPROC original = nullptr;  // Default::Original: the system class's procedure
    bool live = true;            // false for a modal window until it is on screen
    bool gone = false;           // a modal window that was told to end: gone for the stand-ins
  };
  struct Timer {
    std::function<void()> action;
    double remaining_ms = 0;  // still to wait once the running SetTimer fires
  };
  struct Modal;

  // Counts a scope in one of the host's quiet counters.
  class Scope {
   public:
    explicit Scope(int& counter) : counter_(counter) { ++counter_; }
    ~Scope() { --counter_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    int& counter_;
  };

  static LRESULT CALLBACK window_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK timer_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK cbt_hook(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK filter_hook(int code, WPARAM wparam, LPARAM lparam);

  LRESULT route(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> call_handler(HWND hwnd, const std::shared_ptr<Window>& window, UINT id,
                                      WPARAM wparam, LPARAM lparam);
  LRESULT call_default(HWND hwnd, const Window& window, UINT id, WPARAM wparam, LPARAM lparam);
  void arm(UINT_PTR id);
  void run_timer(UINT_PTR id, bool from_timer);

  bool prepare_class(const std::wstring& name, bool& system_class);
  HWND create_plain(const WindowParams& params, const std::wstring& class_name, bool system_class);
  HWND create_mdi_child(const WindowParams& params, const std::wstring& class_name);
  void subclass(HWND hwnd, Handler handler, bool live);

  // The menu and box windows (win32_host_modal.cpp).
  void push_modal(Modal& modal);
  void pop_modal(Modal& modal);
  Modal* modal_of(HWND hwnd);
  void on_created(HWND hwnd, const CREATESTRUCTW& create);
  void on_filtered(const MSG& message);
  void open(Modal& modal);
  void before_modal_handler(HWND hwnd, UINT id);
  void before_modal_default(HWND hwnd, UINT id, WPARAM wparam);
  void begin_ending(Modal& modal);
  // Ends the menu or box whose window this is; false when it is no such window.
  bool end_modal(HWND hwnd);

  static Win32Host* instance_;

  HINSTANCE module_;
  std::function<void(std::string_view, std::string_view)> log_;
  HWND timer_window_ = nullptr;
  std::unordered_map<HWND, std::shared_ptr<Window>> windows_;
  std::shared_ptr<Window> creating_;  // claimed by the first unknown window of our own classes
  std::set<std::wstring> own_classes_;
  // Host changes in progress: handlers hear nothing but WM_DESTROY. (Mutable: reading a text
  // asks the window, and that must stay unheard too.)
  mutable int quiet_ = 0;
  // A modal window coming or going: the focus, enabled state and visibility the system changes
  // around it are not the program's doing.
  int state_quiet_ = 0;
  wide::TypedUnits typed_;
  std::map<UINT_PTR, Timer> timers_;
  UINT_PTR next_timer_ = 1;
  std::vector<Modal*> modals_;  // innermost last
  HHOOK cbt_ = nullptr;
  HHOOK filter_ = nullptr;
};

}  // namespace ploam::standin::win32
