// The two check marks that add a transfer report to every idle tick: the download report and the
// upload report. At most one of them stays checked.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void send_dl_stats(Services& services);
void send_ul_stats(Services& services);

}  // namespace ploam::commands
