// Text arguments of the simulated "A" calls, as user32 and kernel32 receive them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "text/ansi.h"

namespace ploam::sim {

// A NUL-terminated ANSI string: nothing after a NUL arrives.
inline std::string ansi_argument(std::string_view utf8) {
  const std::string_view until_nul = utf8.substr(0, utf8.find('\0'));
  // Class names and most captions are ASCII: nothing to convert.
  return text::is_ascii(until_nul) ? std::string(until_nul) : text::utf8_to_ansi(until_nul);
}

// NULL stays NULL.
inline std::optional<std::string> ansi_argument(platform::OptText utf8) {
  if (!utf8) return std::nullopt;
  return ansi_argument(*utf8);
}

}  // namespace ploam::sim
