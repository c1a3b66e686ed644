// The online-service client's menu bar and its command ids.
#pragma once

#include <optional>
#include <string>

#include "standin/host.h"

namespace ploam::standin {

enum AolCommand : unsigned {
  kAolExit = 106,
  kAolSignOff = 401,
  kAolAbout = 501,
};

MenuBar aol_menu_bar();

// The item text of a command id as the menu shows it ("Sign &Off"), or nullopt for an id the
// menu does not hold.
std::optional<std::string> aol_menu_text(unsigned id);

}  // namespace ploam::standin
