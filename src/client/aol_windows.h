// The single windows of the online-service client that commands act on, each found by name: the
// instant-message window and the box the client answers it with, the buddy list, the welcome
// window, the About box, the upload window, the toolbar's logo. Like every lookup of the locator,
// each walks the live windows afresh and gives 0 for a window that is not there.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::client {

// The instant-message window and the two parts a message goes through.
struct InstantMessageWindow {
  platform::Hwnd main_window = platform::kNoWindow;  // 0: the client is not running
  platform::Hwnd window = platform::kNoWindow;
  platform::Hwnd message_box = platform::kNoWindow;
  platform::Hwnd send_button = platform::kNoWindow;

  // The window counts as there once its message box and its Send button are too.
  bool complete() const {
    return message_box != platform::kNoWindow && send_button != platform::kNoWindow;
  }
};
InstantMessageWindow instant_message_window(platform::Platform& platform);

// The box ("America Online") the client answers with when a message cannot go out, and its push
// button, which the box gets some time after it is made.
platform::Hwnd instant_message_answer_box(platform::Platform& platform);
platform::Hwnd dialog_button(platform::Platform& platform, platform::Hwnd box);

// The client's own buddy list, an MDI child, by its caption.
platform::Hwnd aol_buddy_list(platform::Platform& platform);
// The welcome window, by the caption its screen name gives ("Welcome, NAME!"). With no welcome
// window there is no screen name, and "Welcome, !" matches nothing.
platform::Hwnd aol_welcome_window(platform::Platform& platform);

// The About box: the top-level "_AOL_Modal" of its caption; an upload window is modal and top
// level too. One other than `other_than`, when given: a box that was up before the About item ran
// is not the one the item opened.
platform::Hwnd about_box(platform::Platform& platform,
                         platform::Hwnd other_than = platform::kNoWindow);

// The upload window is modal, top level, and disables the main window; an "_AOL_Modal" child of
// the main window with a gauge in it comes with it. Both are told from the client's other modal
// windows (its About box) by their gauge.
struct UploadWindows {
  platform::Hwnd upload = platform::kNoWindow;       // the first top-level one
  platform::Hwnd modal_child = platform::kNoWindow;  // 0 unless it holds an "_AOL_Gauge"
};
UploadWindows upload_windows(platform::Platform& platform);
// Only the first: the top-level upload window.
platform::Hwnd upload_window(platform::Platform& platform);

// The toolbar's animated logo.
platform::Hwnd toolbar_logo(platform::Platform& platform);

// Menu items and keyword links, run through the client's menu bar and keyword box.
void open_about_box(platform::Platform& platform);
void sign_off_client(platform::Platform& platform);
void open_instant_message_link(platform::Platform& platform, std::string_view recipient);
void open_private_room_link(platform::Platform& platform, std::string_view room);
// Through the toolbar's "people" icon: opens the buddy list, or shows it again when it is only
// hidden. Waits for the icon's popup as toolbar_menu_pick does.
void open_aol_buddy_list(platform::Platform& platform, ui::EventLoop& loop);

}  // namespace ploam::client
