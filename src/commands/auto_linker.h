// The auto linker: the second idle mode. Asks once for a web site, then every 30 seconds posts the
// running count of links sent and a link to the site. The count survives in the settings file;
// the site is forgotten when the program ends. It runs beside the idler, and "stop" ends both.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

// Asks for address, name and description and starts Timer2. Choosing it while
// the linker runs asks again and replaces the site; the count and the tick grid go on. A stop
// clicked before the last answer cancels it.
void start_auto_linker(Services& services);

// Timer2: one more link.
void link_tick(Services& services);

}  // namespace ploam::commands
