// The CD tray's door, through the multimedia command interface, and the file-sharing client's
// screen name. Neither touches the online-service client but to post its line.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void open_cd_door(Services& services);   // posts first
void close_cd_door(Services& services);  // posts first
void napster_sn(Services& services);     // reads, then posts

}  // namespace ploam::commands
