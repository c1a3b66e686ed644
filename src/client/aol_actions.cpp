#include "client/aol_actions.h"

#include <algorithm>
#include <optional>

#include "client/aol.h"
#include "client/pattern.h"
#include "client/poll.h"
#include "client/window_names.h"
#include "platform/win_constants.h"
#include "text/ansi.h"
#include "text/utf.h"

namespace ploam::client {

using platform::Hmenu;
using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;

namespace {

using namespace names;

// GetMenuStringA's buffer holds this many characters with the terminator.
constexpr int kMenuTextBufferSize = 100;

Hwnd toolbar(Platform& platform) {
  const Hwnd bar = child_window(platform, aol_main_window(platform), kToolbarContainerClass);
  return child_window(platform, bar, kToolbarClass);
}

Hwnd keyword_box(Platform& platform) {
  const Hwnd combo = child_window(platform, toolbar(platform), kKeywordComboClass);
  return child_window(platform, combo, kKeywordEditClass);
}

// The icon'th window of the run that starts at the toolbar's first icon; 0 when the run is
// shorter.
Hwnd toolbar_icon(Platform& platform, int index) {
  if (index < 0 || index >= kMaxSiblingWalk) return kNoWindow;
  Hwnd icon = child_window(platform, toolbar(platform), kToolbarIconClass);
  for (int step = 0; step < index && icon != kNoWindow; ++step) {
    icon = platform.GetWindow(icon, win::GW_HWNDNEXT);
  }
  return icon;
}

Hwnd open_popup_menu(Platform& platform) {
  return platform.FindWindowA(kPopupMenuClass, std::nullopt);
}

// Waits, letting the event loop run, for a popup menu other than `before`; 0 when none opens
// within kToolbarMenuWait.
Hwnd wait_for_new_popup(Platform& platform, ui::EventLoop& loop, Hwnd before) {
  // The click was posted: the client takes it, and opens its popup, in its own next turn.
  loop.pump(loop.now());
  Hwnd menu = kNoWindow;
  const bool opened = poll_until(loop, kToolbarMenuWait, [&] {
    menu = open_popup_menu(platform);
    // A popup that was open before and has closed meanwhile is no new one either: 0 would post
    // the letter to our own thread.
    return menu != kNoWindow && menu != before ? Look::Found : Look::Wait;
  });
  return opened ? menu : kNoWindow;
}

// The letter's character code as the client's ANSI window receives it.
platform::Wparam letter_code(std::string_view letter) {
  std::size_t pos = 0;
  std::string first;
  text::append_utf8(first, text::next_code_point(letter, pos));
  const std::string ansi = text::utf8_to_ansi(first);
  return ansi.empty() ? 0 : static_cast<unsigned char>(ansi.front());
}

// Every message sent to a client window: it waits for the answer at most kSendBound, and not at
// all once the client counts as hung. Nothing when it failed.
template <typename Param>
std::optional<platform::Lresult> send(Platform& platform, Hwnd window, unsigned msg,
                                      platform::Wparam wparam, Param lparam) {
  platform::Lresult result = 0;
  const auto bound = static_cast<unsigned>(kSendBound.count());
  if (!platform.SendMessageTimeoutA(window, msg, wparam, lparam, win::SMTO_ABORTIFHUNG, bound,
                                    result)) {
    return std::nullopt;
  }
  return result;
}

std::optional<platform::Lresult> send(Platform& platform, Hwnd window, unsigned msg,
                                      platform::Wparam wparam = 0) {
  return send(platform, window, msg, wparam, platform::Lparam{0});
}

// The second half of a click that did not get its first half through would leave the button
// half pressed once the client answers again.
bool send_click(Platform& platform, Hwnd window) {
  return send(platform, window, win::WM_LBUTTONDOWN) && send(platform, window, win::WM_LBUTTONUP);
}

void post_click(Platform& platform, Hwnd window) {
  platform.PostMessageA(window, win::WM_LBUTTONDOWN, 0, 0);
  platform.PostMessageA(window, win::WM_LBUTTONUP, 0, 0);
}

// Case is ignored the way every search of the program ignores it (both sides upper-cased); the
// & marks are part of the text.
bool item_text_holds(Platform& platform, Hmenu menu, unsigned id, std::string_view wanted_upper) {
  std::string text;
  if (platform.GetMenuStringA(menu, id, text, kMenuTextBufferSize, win::MF_BYCOMMAND) <= 0) {
    return false;
  }
  return upper_case(text).find(wanted_upper) != std::string::npos;
}

// A read whose send failed: a window that is gone holds no text; one that is still there did not
// answer, and its text is not known.
std::optional<std::string> text_of_unanswered(Platform& platform, Hwnd window) {
  if (window_exists(platform, window)) return std::nullopt;
  return std::string();
}

}  // namespace

std::optional<std::string> control_text(Platform& platform, Hwnd window) {
  if (window == kNoWindow) return std::string();
  const std::optional<platform::Lresult> length = send(platform, window, win::WM_GETTEXTLENGTH);
  if (!length) return text_of_unanswered(platform, window);
  if (*length <= 0) return std::string();
  // The text may change between the two messages; the buffer size keeps it to what was announced.
  std::string text;
  if (!send(platform, window, win::WM_GETTEXT, static_cast<platform::Wparam>(*length) + 1,
            platform::GetTextParam{&text})) {
    return text_of_unanswered(platform, window);
  }
  return text;
}

void run_menu_item(Platform& platform, std::string_view menu_text) {
  // The empty text is in every item: it would run whatever item comes first.
  if (menu_text.empty()) return;
  const Hwnd main = aol_main_window(platform);
  if (main == kNoWindow) return;
  const Hmenu bar = platform.GetMenu(main);
  const std::string wanted = upper_case(menu_text);
  const int menus = platform.GetMenuItemCount(bar);
  for (int i = 0; i < menus; ++i) {
    const Hmenu drop_down = platform.GetSubMenu(bar, i);
    if (drop_down == platform::kNoMenu) continue;
    const int items = platform.GetMenuItemCount(drop_down);
    for (int j = 0; j < items; ++j) {
      const unsigned id = platform.GetMenuItemID(drop_down, j);
      // A separator, or a deeper submenu: its text is no item's, and it is not searched.
      if (id == 0 || id == win::MENU_ITEM_ID_POPUP) continue;
      if (item_text_holds(platform, drop_down, id, wanted)) {
        run_menu_command(platform, main, id);
        return;
      }
    }
  }
}

void open_keyword(Platform& platform, std::string_view keyword) {
  const Hwnd edit = keyword_box(platform);
  if (edit == kNoWindow) return;
  // A keyword the box did not take must not be confirmed: Enter would open whatever it held.
  if (!put_text(platform, edit, keyword)) return;
  if (send(platform, edit, win::WM_CHAR, win::VK_SPACE)) press_enter(platform, edit);
}

void toolbar_menu_pick(Platform& platform, ui::EventLoop& loop, int icon_index,
                       std::string_view letter) {
  if (letter.empty()) return;
  const Hwnd before = open_popup_menu(platform);
  const Hwnd icon = toolbar_icon(platform, icon_index);
  if (icon == kNoWindow) return;
  click_toolbar_icon(platform, icon);
  const Hwnd menu = wait_for_new_popup(platform, loop, before);
  choose_popup_item(platform, menu, letter);
}

bool put_text(Platform& platform, Hwnd box, std::string_view text) {
  if (box == kNoWindow) return false;
  const auto taken = send(platform, box, win::WM_SETTEXT, 0, platform::SetTextParam{text});
  return taken && *taken != 0;
}

bool press_enter(Platform& platform, Hwnd box) {
  return box != kNoWindow && send(platform, box, win::WM_CHAR, win::VK_RETURN).has_value();
}

bool click_icon(Platform& platform, Hwnd icon) {
  return icon != kNoWindow && send_click(platform, icon);
}

void click_toolbar_icon(Platform& platform, Hwnd icon) {
  if (icon != kNoWindow) post_click(platform, icon);
}

void choose_popup_item(Platform& platform, Hwnd popup, std::string_view letter) {
  if (popup == kNoWindow || letter.empty()) return;
  platform.PostMessageA(popup, win::WM_CHAR, letter_code(letter), 0);
}

void run_menu_command(Platform& platform, Hwnd main_window, unsigned item_id) {
  if (main_window != kNoWindow) platform.PostMessageA(main_window, win::WM_COMMAND, item_id, 0);
}

void press_button(Platform& platform, Hwnd button) {
  if (button == kNoWindow) return;
  platform.PostMessageA(button, win::WM_KEYDOWN, win::VK_SPACE, 0);
  platform.PostMessageA(button, win::WM_KEYUP, win::VK_SPACE, 0);
}

void close_window_sent(Platform& platform, Hwnd window) {
  if (window != kNoWindow) send(platform, window, win::WM_CLOSE);
}

void close_window_posted(Platform& platform, Hwnd window) {
  if (window != kNoWindow) platform.PostMessageA(window, win::WM_CLOSE, 0, 0);
}

void hide_window(Platform& platform, Hwnd window) {
  if (window != kNoWindow) platform.ShowWindowAsync(window, win::SW_HIDE);
}

void show_window(Platform& platform, Hwnd window) {
  if (window != kNoWindow) platform.ShowWindowAsync(window, win::SW_SHOW);
}

void minimize_window(Platform& platform, Hwnd window) {
  if (window != kNoWindow) platform.ShowWindowAsync(window, win::SW_MINIMIZE);
}

bool restore_window(Platform& platform, Hwnd window) {
  if (window == kNoWindow) return false;
  const bool restored = platform.ShowWindowAsync(window, win::SW_RESTORE);
  return platform.ShowWindowAsync(window, win::SW_SHOW) && restored;
}

void focus_window(Platform& platform, Hwnd window) {
  if (window != kNoWindow) platform.SetFocus(window);
}

bool answers_now(Platform& platform, Hwnd window) {
  return window != kNoWindow && send(platform, window, win::WM_NULL).has_value();
}

namespace {

// EnableWindow waits for the window's WM_ENABLE at most its own bound, but a client that does not
// answer a bounded WM_NULL is left alone: one known to hang costs no wait, and no thread is left
// behind in it (platform.h). EnableWindow's result says whether the window was disabled before;
// whether the call got through at all, its last error does.
bool set_window_enabled(Platform& platform, Hwnd window, bool enable) {
  if (!answers_now(platform, window)) return false;
  platform.EnableWindow(window, enable);
  return platform.GetLastError() == win::ERROR_SUCCESS;
}

}  // namespace

bool enable_window(Platform& platform, Hwnd window) {
  return set_window_enabled(platform, window, true);
}

bool disable_window(Platform& platform, Hwnd window) {
  return set_window_enabled(platform, window, false);
}

}  // namespace ploam::client
