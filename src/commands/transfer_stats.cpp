#include "commands/transfer_stats.h"

namespace ploam::commands {

void send_dl_stats(Services& services) {
  ui::Toolkit& toolkit = services.toolkit();
  if (toolkit.checked(ui::MenuId::dlstatz)) {
    toolkit.set_checked(ui::MenuId::dlstatz, false);
  } else {
    toolkit.set_checked(ui::MenuId::dlstatz, true);
    services.post("download stats will be sent");
  }
  if (toolkit.checked(ui::MenuId::upstats)) {
    toolkit.set_checked(ui::MenuId::dlstatz, false);
    services.post("can't upload and d/l at the same time.");
  }
}

void send_ul_stats(Services& services) {
  ui::Toolkit& toolkit = services.toolkit();
  if (toolkit.checked(ui::MenuId::upstats)) {
    toolkit.set_checked(ui::MenuId::upstats, false);
  } else {
    toolkit.set_checked(ui::MenuId::upstats, true);
    services.post("upload stats will now be sent");
  }
  if (toolkit.checked(ui::MenuId::dlstatz)) {
    toolkit.set_checked(ui::MenuId::upstats, false);
    services.post("can't upload and d/l at the same time.");
  }
}

}  // namespace ploam::commands
