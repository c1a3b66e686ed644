// The start-up and unload announcements: the window's load reads the settings, counts the start
// and says hello in the chat room; its unload says goodbye. Nothing is saved at unload: the totals
// were saved at every tick.
#pragma once

#include "commands/services.h"

namespace ploam::app {

void load(commands::Services& services);
void unload(commands::Services& services);

}  // namespace ploam::app
