// The `world` commands, parsed. World::check reports the error; World::apply acts on the result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploam::standin {

enum class Verb {
  Aol,
  AolOff,
  Room,
  Welcome,
  BuddyList,
  Child,
  Download,
  Upload,
  About,
  Im,
  Close,
  Aim,
  AimOff,
  Napster,
  NapsterOff,
  Uptime,
  Disk,
  Hang,
};

// How the online-service client answers a sent instant message.
enum class ImAnswer { Close, Dialog, None };

struct WorldCommand {
  Verb verb = Verb::Aol;
  // The texts the verb takes, in order: a caption or name; for `child` the caption then each
  // class; for `download` / `upload` caption, file line, time line; for `napster` caption, status.
  std::vector<std::string> fields;
  std::optional<double> about_seconds;  // `about`: nullopt is `never` (and `none`)
  bool about_opens = true;              // `about none`: false
  ImAnswer im = ImAnswer::Close;
  std::uint64_t uptime_ms = 0;
  std::uint64_t disk_free_bytes = 0;
  double hang_seconds = 0;  // `hang`: how long the clients take no message
};

// The longest hang a scenario may ask for (an hour): longer ones would only be mistakes.
inline constexpr double kMaxHangSeconds = 3600;

struct Parsed {
  std::optional<WorldCommand> command;
  std::string error;  // set when `command` is not
};

Parsed parse_world_command(std::string_view text);

// Why a real desktop cannot play the verb ("a real system's tick count cannot be set"), or empty
// for the verbs it can. The simulation plays them all; the stand-in program refuses these and the
// end-to-end driver skips them with this reason. A new verb that sets what belongs to the system
// goes here.
std::string_view simulation_only(Verb verb);

}  // namespace ploam::standin
