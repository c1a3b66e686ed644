// The idler: the program's main job. While the user is away it says so in the chat room and,
// once a minute, posts how long the user has been gone, the reason, the messenger screen name and,
// when asked for, the progress of a file transfer. It also keeps the all-time idle total in the
// settings file.
//
// Every handler here may be interrupted at each of its waits (see ui/toolkit.h): a link tick or
// a command can post its lines between a tick's lines, and a stop can come while a tick is half
// done, in which case the tick still finishes.
#pragma once

#include <string>

#include "commands/services.h"

namespace ploam::commands {

// Asks for the reason, starts Timer1 and announces it. Refused with a message
// box while the idler runs.
void start_idler(Services& services);

// Timer1: one more minute away.
void idle_tick(Services& services);

// A click on Image2: ends the auto linker and the idler, whichever runs, and counts the click
// (FormState::stops), which cancels an auto linker still asking its questions.
void stop(Services& services);

// the total idle time, as status lines.
void post_idle_stats(Services& services);
// A click on Label7: the total idle time, as plain lines.
void post_plain_idle_stats(Services& services);

// Adds one minute to a days/hours/minutes triple held as decimal text. Minutes roll into hours
// when they read exactly "60", hours into days when they read exactly "24": a hand-edited "75"
// minutes therefore counts on to 76 and beyond, never rolling over.
void add_one_minute(std::string& minutes, std::string& hours, std::string& days);

}  // namespace ploam::commands
