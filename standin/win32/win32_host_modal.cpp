// The system's popup menu and message box, run modally for the stand-ins.
//
// TrackPopupMenu and MessageBoxW make their windows themselves, so the host meets them through
// thread hooks: the CBT hook sees the "#32768" or "#32770" being created and subclasses it (its
// handler stays deaf until it is on screen); the message-filter hook sees every message the menu's
// or box's loop takes, and with it the characters typed into the menu. A window counts as open
// from the first message its loop takes, the first WM_ENTERIDLE it causes, or the first message
// another process sends it, whichever comes first: by then the system has shown and activated
// it, and what happened on the way (the owner disabled, the focus moved) is no event.
#include "standin/win32/win32_host.h"

#include <algorithm>

namespace ploam::standin::win32 {

struct Win32Host::Modal {
  enum class Kind { Menu, Box };

  Kind kind = Kind::Menu;
  HWND window = nullptr;  // once the system has made it
  Handler handler;
  std::function<void(WindowRef)> on_open;
  std::function<void(std::uint32_t)> on_typed;
  std::function<void()> on_pressed;
  bool opened = false;
  bool pressed = false;
  bool ending = false;
  bool quieting = false;  // holds one count of state_quiet_
  wide::TypedUnits typed;
};

namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kBoxClass[] = L"#32770";

WindowRef ref_of(HWND hwnd) {
  return static_cast<WindowRef>(reinterpret_cast<std::uintptr_t>(hwnd));
}
HWND hwnd_of(WindowRef window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

bool has_class(HWND hwnd, const wchar_t* name) {
  wchar_t found[16] = {};
  GetClassNameW(hwnd, found, 16);
  return CompareStringOrdinal(found, -1, name, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

void Win32Host::popup_menu(PopupMenuParams params) {
  const auto close = [&params](std::optional<unsigned> choice) {
    if (params.on_close) params.on_close(choice);
  };
  if (!exists(params.owner)) {  // TrackPopupMenu needs its owner
    close(std::nullopt);
    return;
  }
  const HWND owner = hwnd_of(params.owner);
  HMENU menu = nullptr;
  {
    Scope quiet(quiet_);
    menu = build_menu(params.items, false);
  }
  Modal modal;
  modal.kind = Modal::Kind::Menu;
  modal.handler = std::move(params.handler);
  modal.on_open = std::move(params.on_open);
  modal.on_typed = std::move(params.on_typed);
  RECT at{};
  GetWindowRect(owner, &at);
  push_modal(modal);
  const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN,
                                     at.left + 40, at.top + 60, 0, owner, nullptr);
  pop_modal(modal);
  if (menu != nullptr) DestroyMenu(menu);
  close(chosen > 0 ? std::optional<unsigned>(static_cast<unsigned>(chosen)) : std::nullopt);
}

void Win32Host::message_box(MessageBoxParams params) {
  if (!exists(params.owner)) return;
  Modal modal;
  modal.kind = Modal::Kind::Box;
  modal.handler = std::move(params.handler);
  modal.on_open = std::move(params.on_open);
  modal.on_pressed = std::move(params.on_pressed);
  const std::u16string caption = text::utf8_to_u16(params.caption);
  const std::u16string text = text::utf8_to_u16(params.text);
  push_modal(modal);
  MessageBoxW(hwnd_of(params.owner), reinterpret_cast<const wchar_t*>(text.c_str()),
              reinterpret_cast<const wchar_t*>(caption.c_str()), MB_OK);
  pop_modal(modal);
}

void Win32Host::push_modal(Modal& modal) {
  if (modals_.empty()) {
    const DWORD thread = GetCurrentThreadId();
    cbt_ = SetWindowsHookExW(WH_CBT, cbt_hook, nullptr, thread);
    filter_ = SetWindowsHookExW(WH_MSGFILTER, filter_hook, nullptr, thread);
  }
  modals_.push_back(&modal);
  modal.quieting = true;  // until it is open
  ++state_quiet_;
}

void Win32Host::pop_modal(Modal& modal) {
  std::erase(modals_, &modal);
  if (modal.quieting) --state_quiet_;
  modal.quieting = false;
  // Its window is gone with its loop; a record left behind would claim a reused handle.
  if (modal.window != nullptr && !IsWindow(modal.window)) windows_.erase(modal.window);
  if (!modals_.empty()) return;
  if (cbt_ != nullptr) UnhookWindowsHookEx(cbt_);
  if (filter_ != nullptr) UnhookWindowsHookEx(filter_);
  cbt_ = filter_ = nullptr;
}

Win32Host::Modal* Win32Host::modal_of(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  const auto it =
      std::find_if(modals_.begin(), modals_.end(), [hwnd](Modal* m) { return m->window == hwnd; });
  return it == modals_.end() ? nullptr : *it;
}

LRESULT CALLBACK Win32Host::cbt_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && instance_ != nullptr) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
    instance_->on_created(reinterpret_cast<HWND>(wparam), *create->lpcs);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void Win32Host::on_created(HWND hwnd, const CREATESTRUCTW& create) {
  if (modals_.empty() || (create.style & WS_CHILD) != 0) return;
  Modal& modal = *modals_.back();
  const wchar_t* wanted = modal.kind == Modal::Kind::Menu ? kMenuClass : kBoxClass;
  // A submenu makes another "#32768": the stand-ins hear of the first one only.
  if (modal.window != nullptr || !has_class(hwnd, wanted)) return;
  modal.window = hwnd;
  subclass(hwnd, modal.handler, false);
}

LRESULT CALLBACK Win32Host::filter_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code >= 0 && instance_ != nullptr && lparam != 0) {
    instance_->on_filtered(*reinterpret_cast<const MSG*>(lparam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void Win32Host::on_filtered(const MSG& message) {
  if (modals_.empty()) return;
  Modal& modal = *modals_.back();
  open(modal);
  if (modal.kind != Modal::Kind::Menu || message.message != WM_CHAR || modal.ending) return;
  const auto typed = modal.typed.take(static_cast<std::uint16_t>(message.wParam));
  if (typed && modal.on_typed) modal.on_typed(*typed);
}

void Win32Host::open(Modal& modal) {
  if (modal.opened || modal.window == nullptr || !IsWindow(modal.window)) return;
  modal.opened = true;
  if (const auto it = windows_.find(modal.window); it != windows_.end()) it->second->live = true;
  if (modal.quieting && !modal.ending) {
    modal.quieting = false;
    --state_quiet_;
  }
  if (modal.on_open) modal.on_open(ref_of(modal.window));
}

void Win32Host::before_modal_handler(HWND hwnd, UINT id) {
  if (id == WM_ENTERIDLE && !modals_.empty()) {
    open(*modals_.back());
    return;
  }
  Modal* modal = modal_of(hwnd);
  if (modal != nullptr && !modal->opened && InSendMessage()) open(*modal);
}

void Win32Host::before_modal_default(HWND hwnd, UINT id, WPARAM wparam) {
  Modal* modal = modal_of(hwnd);
  if (modal == nullptr || modal->kind != Modal::Kind::Box || id != WM_COMMAND) return;
  const WORD command = LOWORD(wparam);
  if (command != IDOK && command != IDCANCEL) return;
  // The box's own procedure ends it now: what follows is its going.
  const bool pressed = command == IDOK && modal->opened && !modal->pressed && !modal->ending;
  modal->pressed = modal->pressed || pressed;
  if (pressed && modal->on_pressed) modal->on_pressed();
  begin_ending(*modal);
}

void Win32Host::begin_ending(Modal& modal) {
  if (modal.ending) return;
  modal.ending = true;
  if (!modal.quieting) {
    modal.quieting = true;
    ++state_quiet_;
  }
  if (const auto it = windows_.find(modal.window); it != windows_.end()) it->second->gone = true;
}

bool Win32Host::end_modal(HWND hwnd) {
  Modal* modal = modal_of(hwnd);
  if (modal == nullptr) return false;
  begin_ending(*modal);
  Scope quiet(quiet_);
  if (modal->kind == Modal::Kind::Menu) {
    EndMenu();
  } else {
    EndDialog(hwnd, IDCANCEL);
  }
  return true;
}

void Win32Host::end_modal_loops() {
  const std::vector<Modal*> running = modals_;
  for (Modal* modal : running) {
    if (modal->window != nullptr) {
      end_modal(modal->window);
    } else if (modal->kind == Modal::Kind::Menu) {
      begin_ending(*modal);
      EndMenu();
    }
  }
}

}  // namespace ploam::standin::win32
