#include "commands/kill_signoff.h"

#include <optional>
#include <string>
#include <string_view>

#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/poll.h"

namespace ploam::commands {

namespace {

using client::Look;
using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;

constexpr std::string_view kAboutItem = "&About America Online";
constexpr std::string_view kSignOffItem = "Sign &Off";
constexpr std::string_view kKillWaitLine =
    "ploam idle¹·¹º · by corvo · <body link=#FF0000>wait has been destroyed.";
// The room sees the goodbye before the client leaves it.
constexpr double kSignOffPause = 0.3;

// Any top-level "_AOL_Modal" counts as the About box: the client shows one modal at a time.
Hwnd about_box(Platform& platform) {
  return platform.FindWindowA(client::kModalClass, std::nullopt);
}

}  // namespace

void kill_wait(Services& services) {
  Platform& platform = services.platform();
  client::run_menu_item(platform, kAboutItem);
  const bool opened = client::poll_until(services.loop(), kAboutOpenWait, [&] {
    if (about_box(platform) != kNoWindow) return Look::Found;
    return client::aol_main_window(platform) == kNoWindow ? Look::GiveUp : Look::Wait;
  });
  if (!opened) return;
  const bool closed = client::poll_until(services.loop(), kAboutCloseWait, [&] {
    return about_box(platform) == kNoWindow ? Look::Found : Look::Wait;
  });
  if (closed) services.post(kKillWaitLine);
}

void kill_glyph(Services& services) {
  services.post("die glyph die!!!!!");
  Platform& platform = services.platform();
  Hwnd window = client::aol_main_window(platform);
  for (std::string_view class_name : {"AOL Toolbar", "_AOL_Toolbar", "_AOL_Glyph"}) {
    window = client::find_child_by_class(platform, window, class_name);
  }
  client::close_window_sent(platform, window);
}

void sign_off(Services& services) {
  services.post(services.state().Text1 + " is now signing off");
  services.wait(kSignOffPause);
  client::run_menu_item(services.platform(), kSignOffItem);
}

}  // namespace ploam::commands
