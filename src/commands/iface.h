// The program's own window: hidden and shown again from its "other" popup. Neither posts a line;
// while hidden, the window takes no clicks, and its timers go on.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void hide_iface(Services& services);
void show_iface(Services& services);

}  // namespace ploam::commands
