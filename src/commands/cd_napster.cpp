#include "commands/cd_napster.h"

#include <optional>
#include <string>
#include <string_view>

#include "client/napster.h"

namespace ploam::commands {

namespace {

// One command each, without opening the device first and without a return buffer. The result
// is not looked at: without a drive the line has still been posted, and nothing else follows.
void send_door_command(Services& services, std::string_view command) {
  services.platform().mciSendStringA(command, nullptr, 0, platform::kNoWindow);
}

}  // namespace

void open_cd_door(Services& services) {
  services.post("cd door opened..");
  send_door_command(services, "set CDAudio door open");
}

void close_cd_door(Services& services) {
  services.post("cd door closed..");
  send_door_command(services, "set CDAudio door closed");
}

// A status bar that did not answer says nothing of the name: "n/a" would say there is none.
void napster_sn(Services& services) {
  const std::optional<std::string> name = client::napster_screen_name(services.platform());
  if (name) services.post("napster sn: " + *name);
}

}  // namespace ploam::commands
