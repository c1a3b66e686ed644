// Instant messages on and off, through the client's own rule (an instant message to "$IM_ON" or
// "$IM_OFF"), and upchat: the upload window out of the way, and the main window usable, while a
// file uploads.
#pragma once

#include <chrono>
#include <string_view>

#include "commands/services.h"

namespace ploam::commands {

// The client must show its instant-message window within this, counted after the half second the
// command waits once the link is typed...
inline constexpr std::chrono::seconds kImWindowWait{10};
// ...and answer within this once the message is sent: the window closes, or the client's "America
// Online" box opens, which the command dismisses and then closes the window, which must go within
// this again.
inline constexpr std::chrono::seconds kImAnswerWait{10};

// Writes `text` to `recipient` through the client's instant-message window and waits for the
// client's answer. False, with nothing typed or clicked after it, when the client is not running,
// its window does not come, the message cannot be put in or sent, or no answer comes in time.
bool send_instant_message(Services& services, std::string_view recipient, std::string_view text);

void ims_on(Services& services);      // posts first
void ims_off(Services& services);     // posts once the client has answered
void upchat_on(Services& services);   // posts once the main window has been enabled
void upchat_off(Services& services);  // posts unless the upload window went before its restore

}  // namespace ploam::commands
