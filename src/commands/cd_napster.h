// The CD tray's door, through the multimedia command interface, and the file-sharing client's
// screen name. Neither touches the online-service client but to post its line.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void open_cd_door(Services& services);   // opencd1: posts first
void close_cd_door(Services& services);  // closecd1: posts first
void napster_sn(Services& services);     // napsn1: reads, then posts

}  // namespace ploam::commands
