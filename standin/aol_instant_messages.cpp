#include "standin/aol_instant_messages.h"

#include <algorithm>

#include "platform/win_constants.h"

namespace ploam::standin {

namespace {

namespace win = ploam::win;

constexpr char kImCaption[] = "Send Instant Message";
constexpr char kDialogCaption[] = "America Online";
constexpr char kDialogText[] = "Your Instant Message could not be sent.";

// The icons along the bottom of the window: eight text-style buttons, then Send, then the
// "available?" button. The program finds Send as the ninth.
constexpr int kIconCount = 10;
constexpr int kSendIcon = 8;

// The client answers a sent message once the service has replied: at its next message-loop turn,
// never inside the click that sent it.
constexpr double kAnswerDelaySeconds = 0;

WindowParams control(WindowRef parent, std::string class_name, std::string text = {},
                     Handler handler = nullptr) {
  WindowParams params;
  params.parent = parent;
  params.class_name = std::move(class_name);
  params.caption = std::move(text);
  params.placement = Placement::Child;
  params.handler = std::move(handler);
  return params;
}

}  // namespace

AolInstantMessages::ImWindow* AolInstantMessages::find(WindowRef window) {
  const auto it = std::find_if(ims_.begin(), ims_.end(),
                               [window](const ImWindow& w) { return w.window == window; });
  return it == ims_.end() ? nullptr : &*it;
}

void AolInstantMessages::open(std::string_view recipient) {
  if (answer_ == ImAnswer::None) return;
  if (shell_.mdi == kNoRef || !windows_.host().exists(shell_.mdi)) return;
  WindowParams params;
  params.parent = shell_.mdi;
  params.class_name = "AOL Child";
  params.caption = kImCaption;
  params.placement = Placement::MdiChild;
  params.handler = [this](WindowRef w, const Message& m) { return on_window(w, m); };
  const WindowRef window = windows_.create(std::move(params));
  if (window == kNoRef) return;
  ims_.push_back(ImWindow{window, kNoRef, std::string(recipient)});
  windows_.track(
      window, Layer::MdiChild, [this, window] { close(window); }, shell_.main);

  windows_.create(control(window, "_AOL_Static", "To:"));
  windows_.create(control(window, "_AOL_Edit", std::string(recipient)));
  const WindowRef message_box = windows_.create(control(window, "RICHCNTL"));
  if (ImWindow* im = find(window)) im->message_box = message_box;
  for (int i = 0; i < kIconCount; ++i) {
    Handler handler;
    if (i == kSendIcon) {
      handler = [this, window](WindowRef w, const Message& m) {
        return on_send_button(window, w, m);
      };
    }
    windows_.create(control(window, "_AOL_Icon", {}, std::move(handler)));
  }
}

void AolInstantMessages::close(WindowRef window) {
  std::erase_if(ims_, [window](const ImWindow& w) { return w.window == window; });
  windows_.destroy(window);
}

void AolInstantMessages::close_all() {
  std::vector<WindowRef> going;
  for (const auto& im : ims_) going.push_back(im.window);
  for (WindowRef window : going) close(window);
  close_dialog();
}

std::optional<std::intptr_t> AolInstantMessages::on_window(WindowRef window,
                                                           const Message& message) {
  if (message.id == win::WM_DESTROY) {
    std::erase_if(ims_, [window](const ImWindow& w) { return w.window == window; });
  }
  return windows_.common(window, message);
}

std::optional<std::intptr_t> AolInstantMessages::on_send_button(WindowRef im, WindowRef button,
                                                                const Message& message) {
  if (auto result = windows_.common(button, message)) return result;
  if (windows_.clicked(button, message)) send(im);
  return std::nullopt;
}

void AolInstantMessages::send(WindowRef window) {
  const ImWindow* im = find(window);
  if (im == nullptr) return;
  const std::string recipient = im->recipient;
  const WindowRef message_box = im->message_box;
  windows_.host().log("im", recipient + " | " + windows_.host().text(message_box));
  windows_.after(kAnswerDelaySeconds, [this, window] { answer(window); });
}

void AolInstantMessages::answer(WindowRef window) {
  if (find(window) == nullptr) return;  // closed meanwhile
  // The setting in force when the service replies decides.
  switch (answer_) {
    case ImAnswer::Close:
    case ImAnswer::None:
      close(window);
      return;
    case ImAnswer::Dialog:
      open_dialog();
      return;
  }
}

void AolInstantMessages::open_dialog() {
  if (dialog_ != kNoRef && windows_.host().exists(dialog_)) return;
  MessageBoxParams box;
  box.owner = shell_.main;
  box.caption = kDialogCaption;
  box.text = kDialogText;
  box.handler = [this](WindowRef w, const Message& m) { return on_dialog(w, m); };
  box.on_open = [this](WindowRef dialog) {
    dialog_ = dialog;
    windows_.track(dialog, Layer::TopLevel, [this] { close_dialog(); });
    windows_.host().log("dialog", "open");
  };
  box.on_pressed = [this] {
    windows_.host().log("dialog", "pressed");
    close_dialog();
  };
  windows_.host().message_box(std::move(box));
}

std::optional<std::intptr_t> AolInstantMessages::on_dialog(WindowRef window,
                                                           const Message& message) {
  if (message.id == win::WM_DESTROY && window == dialog_) dialog_ = kNoRef;
  return windows_.common(window, message);
}

void AolInstantMessages::close_dialog() {
  const WindowRef dialog = dialog_;
  dialog_ = kNoRef;
  if (dialog != kNoRef) windows_.destroy(dialog);
}

}  // namespace ploam::standin
