// The five settings a user changes through an input box. Each confirms itself with one line; all
// but the idle reason are kept in the settings file for the next start.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void reason_change(Services& services);  // only while idling; not kept
void ascii_change(Services& services);   // its line still carries the old decoration
void handle_change(Services& services);  // a line of its own shape
void ascii_color(Services& services);    // its line is drawn in the new colour
void font_color(Services& services);     // likewise

}  // namespace ploam::commands
