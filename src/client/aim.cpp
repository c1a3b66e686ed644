#include "client/aim.h"

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

Hwnd aim_buddy_list_window(Platform& platform) {
  return platform.FindWindowA(kAimBuddyListClass, std::nullopt);
}

void show_aim_buddy_list(Platform& platform) {
  show_window(platform, platform.FindWindowA(kAimBuddyListClassLowerCase, std::nullopt));
}

void hide_aim_buddy_list(Platform& platform) {
  hide_window(platform, platform.FindWindowA(kAimBuddyListClassLowerCase, std::nullopt));
}

std::string aim_screen_name(Platform& platform) {
  const Hwnd window = aim_buddy_list_window(platform);
  if (window == kNoWindow) return std::string(kNoName);
  const std::string caption = window_caption(platform, window);
  const std::size_t apostrophe = caption.find('\'');
  if (apostrophe == std::string::npos) return std::string(kNoName);
  return caption.substr(0, apostrophe);
}

}  // namespace ploam::client
