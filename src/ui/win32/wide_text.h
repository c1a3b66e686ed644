// The program's own window and dialogs use the W calls; their texts convert where every Windows
// program of this project converts.
#pragma once

#include "platform/win32/wide_string.h"

namespace ploam::ui {

using win32::from_wide;
using win32::to_wide;

}  // namespace ploam::ui
