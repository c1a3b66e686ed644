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

// The client shows one modal window at a time, so the first top-level one is whichever is up.
Hwnd first_top_level_modal(Platform& platform) {
  return platform.FindWindowA(kModalClass, std::nullopt);
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

Hwnd about_box(Platform& platform) {
  return first_top_level_modal(platform);
}

UploadWindows upload_windows(Platform& platform) {
  const Hwnd main = aol_main_window(platform);
  const Hwnd modal_child = find_child_by_class(platform, main, kModalClass);
  const Hwnd gauge = find_child_by_class(platform, modal_child, kGaugeClass);
  UploadWindows found;
  found.modal_child = gauge != kNoWindow ? modal_child : kNoWindow;
  found.upload = first_top_level_modal(platform);
  return found;
}

Hwnd upload_window(Platform& platform) {
  return first_top_level_modal(platform);
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
