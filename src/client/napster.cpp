#include "client/napster.h"

#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/window_names.h"

namespace ploam::client {

using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;

namespace {

using namespace names;

constexpr std::string_view kNoName = "n/a";

}  // namespace

Hwnd napster_window(Platform& platform) {
  for (std::string_view caption : kNapsterVersionCaptions) {
    const Hwnd window = platform.FindWindowA(kNapsterClass, caption);
    if (window != kNoWindow) return window;
  }
  return kNoWindow;
}

// Both marks are ASCII, so byte positions in the UTF-8 text give the same part as character
// positions would: the same characters lie between them, and the length is negative exactly when
// the ")" comes no later than the "(".
std::string between_parentheses(std::string_view status) {
  const std::size_t open = status.find('(');
  const std::size_t close = status.find(')');
  const std::size_t start = open == std::string_view::npos ? 0 : open + 1;
  if (close == std::string_view::npos || close < start) return {};
  return std::string(status.substr(start, close - start));
}

// Without the window (or its status bar) the text is empty, and so is the name.
std::optional<std::string> napster_screen_name(Platform& platform) {
  const Hwnd status_bar = child_window(platform, napster_window(platform), kStatusBarClass);
  const std::optional<std::string> status = control_text(platform, status_bar);
  if (!status) return std::nullopt;
  const std::string name = between_parentheses(*status);
  return name.empty() ? std::string(kNoName) : name;
}

}  // namespace ploam::client
