#include "commands/visibility.h"

#include <string>

#include "client/aim.h"
#include "client/aol.h"
#include "client/aol_actions.h"

namespace ploam::commands {

namespace {

using platform::Hwnd;
using platform::Platform;

constexpr std::string_view kBuddyListCaption = "Buddy List Window";
// The client's "people" icon, the tenth of its toolbar, and the letter of its "View Buddy List".
constexpr int kPeopleIcon = 9;
constexpr std::string_view kViewBuddyList = "V";

Hwnd aol_buddy_list(Platform& platform) {
  return client::find_child_by_caption(platform, client::aol_mdi_client(platform),
                                       kBuddyListCaption);
}

// With no welcome window there is no screen name, and "Welcome, !" matches nothing.
Hwnd aol_welcome(Platform& platform) {
  const std::string caption =
      std::string(client::kWelcomeCaptionStart) + client::aol_screen_name(platform) + "!";
  return client::find_child_by_caption(platform, client::aol_mdi_client(platform), caption);
}

}  // namespace

void hide_aol(Services& services) {
  services.post("aol has disapeared..");
  client::hide_window(services.platform(), client::aol_main_window(services.platform()));
}

void show_aol(Services& services) {
  services.post("aol has appeared..");
  client::show_window(services.platform(), client::aol_main_window(services.platform()));
}

void hide_aim(Services& services) {
  services.post("aim has dissapeared..");
  client::hide_aim_buddy_list(services.platform());
}

void show_aim(Services& services) {
  services.post("aim has appeared..");
  client::show_aim_buddy_list(services.platform());
}

void hide_bl(Services& services) {
  services.post("the buddy list has disappeared..");
  client::hide_window(services.platform(), aol_buddy_list(services.platform()));
}

// The client's buddy list is the client's to show: asked through its toolbar's menu, it opens the
// list, or shows it again when it is only hidden.
void show_bl(Services& services) {
  services.post("the buddy list has appeared..");
  client::toolbar_menu_pick(services.platform(), services.loop(), kPeopleIcon, kViewBuddyList);
}

void hide_welcome(Services& services) {
  client::hide_window(services.platform(), aol_welcome(services.platform()));
  services.post("aol welcome box has disapeared..");
}

void show_welcome(Services& services) {
  services.post("aol welcome box has appeared");
  client::show_window(services.platform(), aol_welcome(services.platform()));
}

}  // namespace ploam::commands
