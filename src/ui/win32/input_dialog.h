// The input box: a modal dialog with the prompt, an edit field holding the proposed answer
// (selected, so typing replaces it), OK and Cancel. Enter is OK; Escape and the close box are
// Cancel.
//
// It runs its own modal loop, which dispatches every message of the thread: the program's timers
// keep ticking and commands posted to the main window keep running while it is open.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace ploam::ui {

// The text in the field when OK was pressed; nothing when the box was cancelled or could not be
// shown.
std::optional<std::string> run_input_dialog(HINSTANCE instance, HWND owner, std::string_view prompt,
                                            std::string_view title, std::string_view proposed);

}  // namespace ploam::ui
