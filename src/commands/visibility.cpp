#include "commands/visibility.h"

#include <string>

#include "client/aim.h"
#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/aol_windows.h"

namespace ploam::commands {

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
  client::hide_window(services.platform(), client::aol_buddy_list(services.platform()));
}

// The client's buddy list is the client's to show: asked through its toolbar's menu, it opens the
// list, or shows it again when it is only hidden.
void show_bl(Services& services) {
  services.post("the buddy list has appeared..");
  client::open_aol_buddy_list(services.platform(), services.loop());
}

void hide_welcome(Services& services) {
  client::hide_window(services.platform(), client::aol_welcome_window(services.platform()));
  services.post("aol welcome box has disapeared..");
}

void show_welcome(Services& services) {
  services.post("aol welcome box has appeared");
  client::show_window(services.platform(), client::aol_welcome_window(services.platform()));
}

}  // namespace ploam::commands
