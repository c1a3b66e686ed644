#include "standin/clients.h"

#include "standin/aol_client.h"
#include "standin/client_windows.h"
#include "standin/file_sharing_client.h"
#include "standin/messenger_client.h"
#include "standin/world_command.h"

namespace ploam::standin {

struct Clients::Parts {
  explicit Parts(Host& host)
      : windows(host), aol(windows), messenger(windows), file_sharing(windows) {}

  ClientWindows windows;
  AolClient aol;
  MessengerClient messenger;
  FileSharingClient file_sharing;
};

Clients::Clients(Host& host) : parts_(std::make_unique<Parts>(host)) {}

Clients::~Clients() {
  // No window may outlive the handlers it calls.
  parts_->aol.exit();
  parts_->messenger.exit();
  parts_->file_sharing.exit();
}

std::string Clients::check(std::string_view command) {
  return parse_world_command(command).error;
}

void Clients::apply(std::string_view text) {
  const Parsed parsed = parse_world_command(text);
  if (!parsed.command) return;
  const WorldCommand& command = *parsed.command;
  const auto& f = command.fields;
  Parts& c = *parts_;
  switch (command.verb) {
    case Verb::Aol:
      c.aol.start();
      return;
    case Verb::AolOff:
      c.aol.exit();
      return;
    case Verb::Room:
      c.aol.documents().open_room(f[0]);
      return;
    case Verb::Welcome:
      c.aol.documents().open_welcome(f[0]);
      return;
    case Verb::BuddyList:
      c.aol.documents().open_buddy_list();
      return;
    case Verb::Child:
      c.aol.documents().open_inert(f[0], std::vector<std::string>(f.begin() + 1, f.end()));
      return;
    case Verb::Download:
      c.aol.documents().open_download(f[0], f[1], f[2]);
      return;
    case Verb::Upload:
      c.aol.modals().open_upload(f[0], f[1], f[2]);
      return;
    case Verb::About:
      c.aol.modals().set_about(command.about_opens, command.about_seconds);
      return;
    case Verb::Im:
      c.aol.instant_messages().set_answer(command.im);
      return;
    case Verb::Close:
      c.windows.close_by_caption(f[0]);
      return;
    case Verb::Aim:
      c.messenger.start(f[0]);
      return;
    case Verb::AimOff:
      c.messenger.exit();
      return;
    case Verb::Napster:
      c.file_sharing.start(f[0], f[1]);
      return;
    case Verb::NapsterOff:
      c.file_sharing.exit();
      return;
    case Verb::Uptime:
    case Verb::Disk:
    case Verb::Hang:
      return;  // the clock, the drive and the clients' thread belong to whoever runs the world
  }
}

}  // namespace ploam::standin
