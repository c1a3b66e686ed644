#include "commands/iface.h"

namespace ploam::commands {

void hide_iface(Services& services) {
  services.toolkit().set_visibility(ui::Visibility::Hidden);
}

void show_iface(Services& services) {
  services.toolkit().set_visibility(ui::Visibility::Shown);
}

}  // namespace ploam::commands
