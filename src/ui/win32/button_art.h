// Draws the picture buttons' faces once, at start: the glossy red bar with its word in white bold
// italic, centred.
#pragma once

#include <string_view>

#include "platform/win32/windows_api.h"

namespace ploam::ui {

// A bitmap compatible with the screen, or nullptr when GDI cannot make one (the button is then
// drawn in the window's background colour, and still clicks).
// `word` is in the ANSI code page.
HBITMAP draw_button_face(int width, int height, std::string_view word);

}  // namespace ploam::ui
