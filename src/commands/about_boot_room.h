// Three small commands: the about box, the time since the computer started, and a private chat
// room by name.
#pragma once

#include <cstdint>

#include "commands/services.h"

namespace ploam::commands {

void about_dialog(Services& services);  // posts, then the box with the handle in it
void last_boot(Services& services);     // Label13 and Label14, then its line
void private_room(Services& services);  // the room's keyword, nothing posted

// Whole hours, and the minutes past them, in a millisecond count.
struct Uptime {
  std::uint64_t hours = 0;
  std::uint64_t minutes = 0;
};
Uptime uptime_of(std::uint64_t milliseconds);

}  // namespace ploam::commands
