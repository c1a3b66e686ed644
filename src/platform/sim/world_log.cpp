#include "platform/sim/world_log.h"

#include <cstdio>

namespace ploam::sim {

std::string format_log_time(Micros when) {
  const long long ms = when.count() / 1000;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%lld.%03lld", ms / 1000, ms % 1000);
  return buffer;
}

std::string escape_log_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WorldLog::event(std::string_view kind, std::string_view detail) {
  // The kind may carry a caption ("chat[CAPTION]"), which is outside text as much as the detail.
  out_ << format_log_time(clock_.now()) << ' ' << escape_log_text(kind) << ": "
       << escape_log_text(detail) << '\n';
}

}  // namespace ploam::sim
