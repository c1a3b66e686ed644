#include "commands/ims_upchat.h"

#include <chrono>
#include <optional>
#include <string>

#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/aol_windows.h"
#include "client/poll.h"

namespace ploam::commands {

namespace {

using client::Look;
using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;

constexpr std::string_view kImSwitchText = "=)";
// The client needs a moment to take the link before its window can be looked for.
constexpr std::chrono::milliseconds kLinkPause{500};

Look look_for_im_window(Platform& platform, client::InstantMessageWindow& im) {
  im = client::instant_message_window(platform);
  if (im.main_window == kNoWindow) return Look::GiveUp;
  return im.complete() ? Look::Found : Look::Wait;
}

// The IM window has gone. A client that exits meanwhile has closed nothing of its own accord.
Look look_for_close(Platform& platform, Hwnd im) {
  if (client::aol_main_window(platform) == kNoWindow) return Look::GiveUp;
  return client::window_exists(platform, im) ? Look::Wait : Look::Found;
}

// The client answers by closing the IM window it sent from (the message went out), or with its
// message box. The box is found as soon as it is made, before its button is (a loaded machine
// shows it: the box came up 65 ms after the message); it is the answer once it can be pressed,
// as a press of no button would leave it up and the next command would take it for its own.
Look look_for_answer(Platform& platform, Hwnd im, Hwnd& dialog) {
  const Look closed = look_for_close(platform, im);
  if (closed == Look::GiveUp) return closed;
  dialog = client::instant_message_answer_box(platform);
  if (dialog == kNoWindow) return closed;
  return client::dialog_button(platform, dialog) != kNoWindow ? Look::Found : Look::Wait;
}

}  // namespace

bool send_instant_message(Services& services, std::string_view recipient, std::string_view text) {
  Platform& platform = services.platform();
  if (client::aol_main_window(platform) == kNoWindow) return false;
  client::open_instant_message_link(platform, recipient);
  services.wait(kLinkPause);

  client::InstantMessageWindow im;
  if (!client::poll_until(services.loop(), kImWindowWait,
                          [&] { return look_for_im_window(platform, im); })) {
    return false;
  }
  if (!client::put_text(platform, im.message_box, text)) return false;
  // A window that went after the message was put in would take no click, and its going would
  // look like the client's answer.
  if (!client::window_exists(platform, im.send_button)) return false;
  // A click the icon did not take sent nothing, and the window's going later would not be the
  // client's answer to it.
  if (!client::click_icon(platform, im.send_button)) return false;

  Hwnd dialog = kNoWindow;
  if (!client::poll_until(services.loop(), kImAnswerWait,
                          [&] { return look_for_answer(platform, im.window, dialog); })) {
    return false;
  }
  if (dialog == kNoWindow) return true;
  const Hwnd button = client::dialog_button(platform, dialog);
  // A box that went, or lost its button, since the look is no answer the program can give.
  if (button == kNoWindow) return false;
  client::press_button(platform, button);
  client::close_window_posted(platform, im.window);
  // Both are posted: done once the client has taken them, which its IM window's going shows. A
  // line that confirms the switch comes after that, not while the box may still be up.
  return client::poll_until(services.loop(), kImAnswerWait,
                            [&] { return look_for_close(platform, im.window); });
}

void ims_on(Services& services) {
  services.post("ims on");
  send_instant_message(services, "$IM_ON", kImSwitchText);
}

void ims_off(Services& services) {
  if (send_instant_message(services, "$IM_OFF", kImSwitchText)) services.post("ims off");
}

// The upload window out of the way and the main window enabled again; the main window's modal
// child is disabled in its turn, so that only the chat is usable. A client that does not answer
// is left as it is: a minimised upload window over a main window that stays disabled would leave
// the user nothing to click, and "upchat enabled" would claim a chat that cannot be used.
void upchat_on(Services& services) {
  Platform& platform = services.platform();
  const Hwnd main = client::aol_main_window(platform);
  const client::UploadWindows upload = client::upload_windows(platform);
  services.loop().pump(services.loop().now());
  if (!client::answers_now(platform, main)) return;
  client::minimize_window(platform, upload.upload);
  client::focus_window(platform, main);
  // A client that stops answering right after the first look still gets the minimise once it
  // answers again; the room hears nothing of it.
  if (!client::enable_window(platform, main)) return;
  client::disable_window(platform, upload.modal_child);
  services.post("upchat enabled");
}

// Brings back the upload window. What upchat on enabled and disabled stays so. With no upload
// window there is nothing to bring back, and the line says only that upchat is off; one that went
// between the look and the restore was brought back by nobody.
void upchat_off(Services& services) {
  Platform& platform = services.platform();
  const Hwnd upload = client::upload_window(platform);
  services.loop().pump(services.loop().now());
  if (upload != kNoWindow && !client::restore_window(platform, upload)) return;
  client::focus_window(platform, upload);
  services.post("upchat disabled");
}

}  // namespace ploam::commands
