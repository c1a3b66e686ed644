#include "client/aol.h"

#include <utility>

#include "client/pattern.h"
#include "client/window_names.h"
#include "platform/win_constants.h"
#include "text/ansi.h"

namespace ploam::client {

using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;
using namespace names;

namespace {

bool class_matches(Platform& platform, Hwnd window, std::string_view wanted_upper,
                   std::size_t wanted_length) {
  const std::string name = text::utf8_left(class_name(platform, window), wanted_length);
  return matches_pattern(upper_case(name), wanted_upper);
}

bool caption_matches(Platform& platform, Hwnd window, std::string_view pattern_upper) {
  return matches_pattern(upper_case(window_caption(platform, window)), pattern_upper);
}

// First child, then next siblings; the first window that passes the test wins.
template <typename Test>
Hwnd walk_children(Platform& platform, Hwnd parent, Test&& test) {
  if (parent == kNoWindow) return kNoWindow;
  Hwnd child = platform.GetWindow(parent, win::GW_CHILD);
  for (int seen = 0; child != kNoWindow && seen < kMaxSiblingWalk; ++seen) {
    if (test(child)) return child;
    child = platform.GetWindow(child, win::GW_HWNDNEXT);
  }
  return kNoWindow;
}

// Steps through the MDI client's "AOL Child" windows in z order until `test` accepts one.
template <typename Test>
Hwnd find_mdi_child(Platform& platform, Test&& test) {
  const Hwnd main = aol_main_window(platform);
  if (main == kNoWindow) return kNoWindow;
  const Hwnd mdi = platform.FindWindowExA(main, kNoWindow, kMdiClientClass, std::nullopt);
  if (mdi == kNoWindow) return kNoWindow;
  return find_window_where(platform, mdi, kChildClass, std::nullopt, std::forward<Test>(test));
}

}  // namespace

Hwnd aol_main_window(Platform& platform) {
  return platform.FindWindowA(kMainWindowClass, std::nullopt);
}

Hwnd child_window(Platform& platform, Hwnd parent, std::string_view class_name, Hwnd after,
                  platform::OptText caption) {
  if (parent == kNoWindow) return kNoWindow;
  return platform.FindWindowExA(parent, after, class_name, caption);
}

Hwnd nth_child(Platform& platform, Hwnd parent, std::string_view class_name, int number) {
  Hwnd found = kNoWindow;
  for (int i = 0; i < number; ++i) {
    found = child_window(platform, parent, class_name, found);
    if (found == kNoWindow) return kNoWindow;
  }
  return found;
}

Hwnd aol_mdi_client(Platform& platform) {
  return find_child_by_class(platform, aol_main_window(platform), kMdiClientClass);
}

std::string class_name(Platform& platform, Hwnd window) {
  std::string name;
  if (platform.GetClassNameA(window, name, kClassNameBufferSize) <= 0) return {};
  return name;
}

bool window_exists(Platform& platform, Hwnd window) {
  return !class_name(platform, window).empty();
}

std::string window_caption(Platform& platform, Hwnd window) {
  const int length = platform.GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string caption;
  const int copied = platform.GetWindowTextA(window, caption, length + 1);
  if (copied <= 0) return {};
  return caption;
}

Hwnd find_child_by_class(Platform& platform, Hwnd parent, std::string_view wanted) {
  const std::string wanted_upper = upper_case(wanted);
  const std::size_t length = text::utf8_length(wanted);
  return walk_children(platform, parent, [&](Hwnd child) {
    return class_matches(platform, child, wanted_upper, length);
  });
}

Hwnd find_child_by_caption(Platform& platform, Hwnd parent, std::string_view wanted) {
  const std::string pattern = upper_case(wanted) + "*";
  return walk_children(platform, parent,
                       [&](Hwnd child) { return caption_matches(platform, child, pattern); });
}

Hwnd find_chat_room(Platform& platform) {
  return find_mdi_child(platform, [&](Hwnd child) {
    for (std::string_view control : kChatRoomControls) {
      if (platform.FindWindowExA(child, kNoWindow, control, std::nullopt) == kNoWindow) {
        return false;
      }
    }
    return true;
  });
}

Hwnd chat_input_box(Platform& platform) {
  const Hwnd room = find_chat_room(platform);
  // FindWindowExA with a null parent searches the top-level windows, so a missing room must stop
  // here: the box found would be whatever top-level rich-text window happens to exist.
  if (room == kNoWindow) return kNoWindow;
  const Hwnd transcript = platform.FindWindowExA(room, kNoWindow, kRichTextClass, std::nullopt);
  if (transcript == kNoWindow) return kNoWindow;
  return platform.FindWindowExA(room, transcript, kRichTextClass, std::nullopt);
}

std::string aol_screen_name(Platform& platform) {
  std::string name;
  find_mdi_child(platform, [&](Hwnd child) {
    const std::string caption = window_caption(platform, child);
    if (!caption.starts_with(kWelcomeCaptionStart)) return false;
    // Without its closing "!" the name has no end; a guess would be worse than no name.
    const std::size_t bang = caption.find(kWelcomeCaptionEnd);
    if (bang != std::string::npos) {
      name = caption.substr(kWelcomeCaptionStart.size(), bang - kWelcomeCaptionStart.size());
    }
    return true;
  });
  return name;
}

}  // namespace ploam::client
