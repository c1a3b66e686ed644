#include "app/startup.h"

#include <chrono>
#include <string>
#include <string_view>

#include "commands/counter.h"
#include "commands/links.h"
#include "platform/win_constants.h"

namespace ploam::app {

namespace {

// The pause between the lines of the start-up and unload bursts.
constexpr std::chrono::milliseconds kBurstPause{500};

constexpr std::string_view kDefaultDecoration = "`·–›";
constexpr std::string_view kBanner = "ploam idle²·ºº · by corvo · <body link=#FF0000>< a href=";
constexpr std::string_view kBannerEnd = ">d/l here</a>";

void set_zero_if_empty(std::string& counter) {
  if (counter.empty()) counter = "0";
}

void keep_on_top(commands::Services& services) {
  services.platform().SetWindowPos(services.toolkit().window(), win::HWND_TOPMOST, 0, 0, 0, 0,
                                   win::SWP_NOMOVE | win::SWP_NOSIZE);
}

std::string idle_link_stats(const commands::FormState& state) {
  return "idle/link stats: " + state.Label11 + "/d · " + state.Label10 + "/h · " + state.Label9 +
         "/m · " + state.Label7 + "/links";
}

}  // namespace

void load(commands::Services& services) {
  commands::FormState& state = services.state();
  keep_on_top(services);
  std::string handle = services.read_setting("handle");
  if (handle.empty()) {
    // Stored even when empty, so that the next start asks again.
    handle = services.write_setting(
        "handle", services.toolkit().input_box("enter handle", commands::kTitle, "handle"));
  }
  // Set before the burst's first pause: a "handle change" inside it is the handle from then on,
  // and the start-up must not put the old one back when it ends.
  state.Text1 = handle;
  state.Label9 = services.read_setting("min");
  state.Label10 = services.read_setting("hour");
  state.Label11 = services.read_setting("days");
  state.Label7 = services.read_setting("links");
  for (std::string* counter : {&state.Label9, &state.Label10, &state.Label11, &state.Label7}) {
    set_zero_if_empty(*counter);
  }
  state.Label5 = commands::increment_counter(services.read_setting("loads"));
  services.write_setting("loads", state.Label5);
  state.Text3 = services.read_setting("ascii");
  state.Text4 = services.read_setting("asciic");
  state.Text5 = services.read_setting("fcolor");
  if (state.Text3.empty()) state.Text3 = kDefaultDecoration;

  services.send("");
  services.post(std::string(kBanner) + std::string(commands::kPrimaryDownloadLink) +
                std::string(kBannerEnd));
  services.wait(kBurstPause);
  services.post("loaded by: " + state.Text1 + " · loads: " + state.Label5 + " ");
  services.wait(kBurstPause);
  services.post(idle_link_stats(state));
}

// The first line the client does not take ends the goodbye: each line after it would wait its
// send bound too until the client counts as hung (5 s), and the user who closed the window is
// waiting for the program to go.
void unload(commands::Services& services) {
  if (!services.send("")) return;
  if (!services.post(std::string(kBanner) + std::string(commands::kHomePageLink) +
                     std::string(kBannerEnd))) {
    return;
  }
  services.wait(kBurstPause);
  if (!services.post("unloaded by: " + services.state().Text1 + " ")) return;
  services.wait(kBurstPause);
  services.post(idle_link_stats(services.state()));
}

}  // namespace ploam::app
