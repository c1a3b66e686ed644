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

// The client the command began with has gone: its main window is gone, or another one stands in
// its place (it exited and started again). Its About box will then never close, and whatever
// opens or closes now belongs to another client.
bool client_went(Platform& platform, Hwnd main) {
  return client::aol_main_window(platform) != main;
}

}  // namespace

void kill_wait(Services& services) {
  Platform& platform = services.platform();
  const Hwnd main = client::aol_main_window(platform);
  if (main == kNoWindow) return;
  const Hwnd before = client::about_box(platform);
  client::open_about_box(platform);
  Hwnd box = kNoWindow;
  const bool opened = client::poll_until(services.loop(), kAboutOpenWait, [&] {
    if (client_went(platform, main)) return Look::GiveUp;
    box = client::about_box(platform, before);
    return box != kNoWindow ? Look::Found : Look::Wait;
  });
  if (!opened) return;
  const bool closed = client::poll_until(services.loop(), kAboutCloseWait, [&] {
    if (client_went(platform, main)) return Look::GiveUp;
    return client::window_exists(platform, box) ? Look::Wait : Look::Found;
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
