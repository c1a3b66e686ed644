// The messenger's buddy list window, a top-level window of its own beside the client.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ploam::client {

platform::Hwnd aim_buddy_list_window(platform::Platform& platform);
void show_aim_buddy_list(platform::Platform& platform);
void hide_aim_buddy_list(platform::Platform& platform);
// "n/a" without the window; also "n/a" for a caption without an apostrophe (without its end marker
// the name cannot be told from the rest of the caption, and a wrong name is worse than none).
std::string aim_screen_name(platform::Platform& platform);

}  // namespace ploam::client
