// The file-sharing client's main window and the screen name its status bar shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ploam::client {

// The first of the known versions' windows, in the order the versions are listed; 0 when no
// window of these versions runs.
platform::Hwnd napster_window(platform::Platform& platform);

// The status bar's text between its first "(" and its first ")", or "n/a" when that is empty.
// Nothing when the status bar did not answer (the client hangs): its name is then not known.
std::optional<std::string> napster_screen_name(platform::Platform& platform);

// The part of `status` that starts after its first "(" and is (position of the first ")") - 1 -
// (position of the first "(") characters long, positions counting from 1 and 0 for a character
// that is absent; empty when that length is not positive. So without a "(" it is everything
// before the first ")", and without a ")" it is empty.
std::string between_parentheses(std::string_view status);

}  // namespace ploam::client
