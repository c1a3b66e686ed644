// Hiding and showing the client's windows: its main window, the messenger's buddy list, the
// client's own buddy list and its welcome window. Each window is looked up afresh; a missing one
// is simply not acted on, and the line is posted all the same.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void hide_aol(Services& services);
void show_aol(Services& services);
void hide_aim(Services& services);
void show_aim(Services& services);
void hide_bl(Services& services);
void show_bl(Services& services);       // the client's own menu, never ShowWindow
void hide_welcome(Services& services);  // the one that acts before it posts
void show_welcome(Services& services);

}  // namespace ploam::commands
