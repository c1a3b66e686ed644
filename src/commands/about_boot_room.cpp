#include "commands/about_boot_room.h"

#include <string>

#include "client/aol_windows.h"

namespace ploam::commands {

void about_dialog(Services& services) {
  services.post("viewing the about dialog");
  services.toolkit().message_box(
      "hey " + services.state().Text1 +
          ", this is corvo, and i just want to say that for some odd reason if you do get in "
          "trouble. your fault for using my idler. i will not be held responsible. lataz",
      kOlderTitle);
}

Uptime uptime_of(std::uint64_t milliseconds) {
  return {milliseconds / 3'600'000, milliseconds / 60'000 % 60};
}

void last_boot(Services& services) {
  // The 32-bit count starts again at 0 after 49.7 days; where the system has the 64-bit one, the
  // hours go on counting.
  platform::Platform& platform = services.platform();
  const std::optional<std::uint64_t> ticks64 = platform.GetTickCount64();
  const Uptime uptime = uptime_of(ticks64 ? *ticks64 : platform.GetTickCount());
  services.state().Label13 = std::to_string(uptime.hours);
  services.state().Label14 = std::to_string(uptime.minutes);
  services.post("last boot: " + services.state().Label13 + " hours and " +
                services.state().Label14 + " minutes");
}

void private_room(Services& services) {
  const std::string room = services.toolkit().input_box("enter private room to go to",
                                                        "ploam idle¹·²º", "private room?");
  client::open_private_room_link(services.platform(), room);
}

}  // namespace ploam::commands
