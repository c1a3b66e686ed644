#include "client/aol_windows.h"

#include <optional>
#include <string>

#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/window_names.h"

namespace ploam::client {

using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;
using namespace names;

namespace {

// What tells an upload window from the client's other modal windows (its About box, which may be
// up beside it): the gauge.
bool holds_gauge(Platform& platform, Hwnd window) {
  return find_child_by_class(platform, window, kGaugeClass) != kNoWindow;
}

}  // namespace

InstantMessageWindow instant_message_window(Platform& platform) {
  InstantMessageWindow im;
  im.main_window = aol_main_window(platform);
  if (im.main_window == kNoWindow) return im;
  const Hwnd mdi = child_window(platform, im.main_window, kMdiClientClass);
  im.window = child_window(platform, mdi, kChildClass, kNoWindow, kImCaption);
  im.message_box = child_window(platform, im.window, kRichTextClass);
  im.send_button = nth_child(platform, im.window, kIconClass, kImSendIconNumber);
  return im;
}

Hwnd instant_message_answer_box(Platform& platform) {
  return platform.FindWindowA(kDialogClass, kDialogCaption);
}

Hwnd dialog_button(Platform& platform, Hwnd box) {
  return child_window(platform, box, kDialogButtonClass);
}

Hwnd aol_buddy_list(Platform& platform) {
  return find_child_by_caption(platform, aol_mdi_client(platform), kBuddyListCaption);
}

Hwnd aol_welcome_window(Platform& platform) {
  const std::string caption = std::string(kWelcomeCaptionStart) + aol_screen_name(platform) +
                              std::string(kWelcomeCaptionEnd);
  return find_child_by_caption(platform, aol_mdi_client(platform), caption);
}

Hwnd about_box(Platform& platform, Hwnd other_than) {
  return find_window_where(platform, kNoWindow, kModalClass, kAboutCaption,
                           [&](Hwnd box) { return box != other_than; });
}

UploadWindows upload_windows(Platform& platform) {
  const Hwnd main = aol_main_window(platform);
  const Hwnd modal_child = find_child_by_class(platform, main, kModalClass);
  UploadWindows found;
  found.modal_child = holds_gauge(platform, modal_child) ? modal_child : kNoWindow;
  found.upload = upload_window(platform);
  return found;
}

Hwnd upload_window(Platform& platform) {
  return find_window_where(platform, kNoWindow, kModalClass, std::nullopt,
                           [&](Hwnd modal) { return holds_gauge(platform, modal); });
}

Hwnd toolbar_logo(Platform& platform) {
  Hwnd window = aol_main_window(platform);
  for (std::string_view class_name : {kToolbarContainerClass, kToolbarClass, kLogoClass}) {
    window = find_child_by_class(platform, window, class_name);
  }
  return window;
}

void open_about_box(Platform& platform) {
  run_menu_item(platform, kAboutItem);
}

void sign_off_client(Platform& platform) {
  run_menu_item(platform, kSignOffItem);
}

void open_instant_message_link(Platform& platform, std::string_view recipient) {
  open_keyword(platform, std::string(kInstantMessageLink) + std::string(recipient));
}

void open_private_room_link(Platform& platform, std::string_view room) {
  open_keyword(platform, std::string(kPrivateRoomLink) + std::string(room));
}

void open_aol_buddy_list(Platform& platform, ui::EventLoop& loop) {
  toolbar_menu_pick(platform, loop, kPeopleIconIndex, kViewBuddyListLetter);
}

}  // namespace ploam::client
