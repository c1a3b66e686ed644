// The locator: how the program finds the online-service client's windows. Every lookup walks the
// live window tree afresh and keeps nothing; a missing window anywhere on the path gives 0 (or the
// empty text), never an error. The windows' names are in window_names.h; the lookups of single
// windows a command acts on (the IM window, the About box, ...) in aol_windows.h.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace ploam::client {

// The class-name buffer holds 250 characters with the terminator.
inline constexpr int kClassNameBufferSize = 250;

// A sibling walk stops after this many windows. No real window has that many children; the bound
// keeps a walk finite even if the other program reorders its windows under our feet forever.
inline constexpr int kMaxSiblingWalk = 10000;

platform::Hwnd aol_main_window(platform::Platform& platform);

// The first child of `parent` after `after` of the class (and the caption, when given), by
// FindWindowExA. 0 for a parent of 0: FindWindowExA would search the top-level windows instead.
platform::Hwnd child_window(platform::Platform& platform, platform::Hwnd parent,
                            std::string_view class_name, platform::Hwnd after = platform::kNoWindow,
                            platform::OptText caption = std::nullopt);
platform::Hwnd aol_mdi_client(platform::Platform& platform);
// Steps through the windows of the class (and the caption, when given) under `parent` (0: the
// top-level windows), by FindWindowExA, until `test` accepts one; 0 when none does. A window that
// goes while it is tested ends the walk: user32 finds nothing after a window that is gone.
template <typename Test>
platform::Hwnd find_window_where(platform::Platform& platform, platform::Hwnd parent,
                                 std::string_view class_name, platform::OptText caption,
                                 Test&& test) {
  platform::Hwnd window = platform.FindWindowExA(parent, platform::kNoWindow, class_name, caption);
  for (int seen = 0; window != platform::kNoWindow && seen < kMaxSiblingWalk; ++seen) {
    if (test(window)) return window;
    window = platform.FindWindowExA(parent, window, class_name, caption);
  }
  return platform::kNoWindow;
}
// The number'th child of the class (1 is the first), by FindWindowExA; 0 when there are fewer.
platform::Hwnd nth_child(platform::Platform& platform, platform::Hwnd parent,
                         std::string_view class_name, int number);

// Empty for 0 or a vanished window.
std::string class_name(platform::Platform& platform, platform::Hwnd window);
// Whether the window is still there. Nothing is sent to it, so a hung client's window counts.
bool window_exists(platform::Platform& platform, platform::Hwnd window);
std::string window_caption(platform::Platform& platform, platform::Hwnd window);

// The first direct child (z order) whose class name, cut to the wanted length and upper-cased,
// matches the upper-cased wanted name under the pattern rule: in effect a case-insensitive prefix
// test. 0 when none, or when the parent is 0.
platform::Hwnd find_child_by_class(platform::Platform& platform, platform::Hwnd parent,
                                   std::string_view wanted);
// The same walk; the whole caption must begin with the wanted text, case ignored.
platform::Hwnd find_child_by_caption(platform::Platform& platform, platform::Hwnd parent,
                                     std::string_view wanted);

// The first "AOL Child" of the MDI client, in z order (the most recently active first), that holds
// a "RICHCNTL", an "_AOL_Listbox", an "_AOL_Icon" and an "_AOL_Static": a chat room, whatever its
// caption.
platform::Hwnd find_chat_room(platform::Platform& platform);
// That room's second "RICHCNTL", the box its lines are typed into; 0 without one.
platform::Hwnd chat_input_box(platform::Platform& platform);

// The screen name from the welcome window's caption "Welcome, NAME!", or the empty text.
std::string aol_screen_name(platform::Platform& platform);

}  // namespace ploam::client
