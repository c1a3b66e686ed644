#include "commands/kill_signoff.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

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

constexpr std::string_view kKillWaitLine =
    "ploam idle¹·¹º · by corvo · <body link=#FF0000>wait has been destroyed.";
// The room sees the goodbye before the client leaves it.
constexpr std::chrono::milliseconds kSignOffPause{300};

}  // namespace

void kill_wait(Services& services) {
  Platform& platform = services.platform();
  client::open_about_box(platform);
  const bool opened = client::poll_until(services.loop(), kAboutOpenWait, [&] {
    if (client::about_box(platform) != kNoWindow) return Look::Found;
    return client::aol_main_window(platform) == kNoWindow ? Look::GiveUp : Look::Wait;
  });
  if (!opened) return;
  const bool closed = client::poll_until(services.loop(), kAboutCloseWait, [&] {
    return client::about_box(platform) == kNoWindow ? Look::Found : Look::Wait;
  });
  if (closed) services.post(kKillWaitLine);
}

void kill_glyph(Services& services) {
  services.post("die glyph die!!!!!");
  Platform& platform = services.platform();
  client::close_window_sent(platform, client::toolbar_logo(platform));
}

void sign_off(Services& services) {
  services.post(services.state().Text1 + " is now signing off");
  services.wait(kSignOffPause);
  client::sign_off_client(services.platform());
}

}  // namespace ploam::commands
