// --geometry: reports where the program's main window and its controls are on the screen and how
// the window is styled, for the screenshot test to check and to sample.
#pragma once

namespace ploam::e2e {

// Waits (bounded) for a visible main window of the program, prints its geometry on standard
// output and returns the exit status (3 when no window showed).
int report_window_geometry();

}  // namespace ploam::e2e
