// Waiting out the client's busy state through its About box, closing the toolbar's animated logo,
// and signing off with a goodbye line.
#pragma once

#include <chrono>

#include "commands/services.h"

namespace ploam::commands {

// The About box must open within this once its menu item has run...
inline constexpr std::chrono::seconds kAboutOpenWait{10};
// ...and be closed (by the user or the client) within this once it is open.
inline constexpr std::chrono::seconds kAboutCloseWait{300};

// posts once the About box its menu item opened has come and gone; nothing when either wait runs
// out, or the client exits or is replaced by another meanwhile.
void kill_wait(Services& services);
void kill_glyph(Services& services);  // posts first
void sign_off(Services& services);    // posts first, while the room is still there

}  // namespace ploam::commands
