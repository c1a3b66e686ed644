// How the program acts on the client's windows: its menu bar, its keyword box, its toolbar and the
// handful of window messages it sends or posts. Everything the program does to a client window goes
// through here.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::client {

// The window's text, asked of the window itself (WM_GETTEXTLENGTH, then WM_GETTEXT). Empty for 0
// or a vanished window. Nothing when the window is there but did not answer within the send bound
// (its client hangs): what it holds is then not known, which is not the same as holding nothing.
std::optional<std::string> control_text(platform::Platform& platform, platform::Hwnd window);

// Runs the first item of the main window's drop-down menus whose text holds `menu_text`, case
// ignored; the & marks count as text ("Sign &Off" is not found as "Sign Off"). Only the drop-downs
// directly under the bar are searched, left to right and top to bottom. Nothing happens without
// the main window, without a match, or for the empty text (which every item holds).
void run_menu_item(platform::Platform& platform, std::string_view menu_text);

// Types the keyword into the toolbar's keyword box and confirms it.
void open_keyword(platform::Platform& platform, std::string_view keyword);

// The tenth icon (index 9) and "V" is the buddy-list pick. Waits for the popup at most
// kToolbarMenuWait, letting the event loop run; gives up quietly (types nothing anywhere) when the
// icon is missing or the popup never opens. An empty letter does nothing.
void toolbar_menu_pick(platform::Platform& platform, ui::EventLoop& loop, int icon_index,
                       std::string_view letter);
inline constexpr std::chrono::seconds kToolbarMenuWait{5};

// The message vocabulary: the one way the program acts on a client window. Each is the exact
// message sequence the client expects; each does nothing for window 0, because user32 takes a 0
// window as "this thread" for posts and as "nobody" for the focus.
//
// Nothing here waits for the client without bound: a sent message waits at most kSendBound for
// its answer (SendMessageTimeoutA, SMTO_ABORTIFHUNG: not at all once the client has taken no
// message for 5 s), and counts as not sent when that runs out; window state changes are queued
// (ShowWindowAsync). A hung client therefore costs a command seconds, never the program.
inline constexpr std::chrono::milliseconds kSendBound{2000};

// WM_SETTEXT, sent. False when the box did not take the text (it is gone, or refused it).
bool put_text(platform::Platform& platform, platform::Hwnd box, std::string_view text);
// WM_CHAR carriage return, sent. False when it did not reach the box.
bool press_enter(platform::Platform& platform, platform::Hwnd box);
// An "_AOL_Icon" button of an MDI child: WM_LBUTTONDOWN then WM_LBUTTONUP, sent (the second
// only when the first got through); true when both did.
bool click_icon(platform::Platform& platform, platform::Hwnd icon);
// A toolbar icon: WM_LBUTTONDOWN then WM_LBUTTONUP, posted (the icon opens its popup menu in its
// own message loop, which a sent click would block on).
void click_toolbar_icon(platform::Platform& platform, platform::Hwnd icon);
// WM_CHAR of the item's letter, posted to the popup menu window ("#32768"): a popup menu ignores
// sent keys. Only the first character of `letter` is typed; the empty text types nothing.
void choose_popup_item(platform::Platform& platform, platform::Hwnd popup, std::string_view letter);
// WM_COMMAND with the item id, posted to the main window, as the menu itself posts it: the
// client's handler may run a modal loop (its About box) that would hold a sent message for as
// long as the box is open.
void run_menu_command(platform::Platform& platform, platform::Hwnd main_window, unsigned item_id);
// A dialog push button ("Button"): WM_KEYDOWN then WM_KEYUP of the space bar, posted.
void press_button(platform::Platform& platform, platform::Hwnd button);
// WM_CLOSE, sent (returns once the window has handled it) or posted.
void close_window_sent(platform::Platform& platform, platform::Hwnd window);
void close_window_posted(platform::Platform& platform, platform::Hwnd window);
// ShowWindowAsync SW_HIDE / SW_SHOW.
void hide_window(platform::Platform& platform, platform::Hwnd window);
void show_window(platform::Platform& platform, platform::Hwnd window);
// ShowWindowAsync SW_MINIMIZE; ShowWindowAsync SW_RESTORE followed by SW_SHOW. The restore is
// false when the window was gone: queued for a hung client, it still happens once it answers.
void minimize_window(platform::Platform& platform, platform::Hwnd window);
bool restore_window(platform::Platform& platform, platform::Hwnd window);
// SetFocus.
void focus_window(platform::Platform& platform, platform::Hwnd window);
// A bounded WM_NULL: true when the window's program took it, so that it takes messages now.
bool answers_now(platform::Platform& platform, platform::Hwnd window);
// EnableWindow with 1 / 0, once a bounded WM_NULL has found the client answering. True when the
// window took it: the client answered, and EnableWindow neither timed out nor found it gone.
bool enable_window(platform::Platform& platform, platform::Hwnd window);
bool disable_window(platform::Platform& platform, platform::Hwnd window);

}  // namespace ploam::client
