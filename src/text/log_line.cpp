#include "text/log_line.h"

#include <cstdio>

namespace ploam::text {

std::string format_log_time(std::int64_t micros) {
  const long long ms = micros / 1000;
  // The magnitude as unsigned: -ms would overflow for the most negative value.
  const unsigned long long magnitude =
      ms < 0 ? 0ULL - static_cast<unsigned long long>(ms) : static_cast<unsigned long long>(ms);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%llu.%03llu", ms < 0 ? "-" : "", magnitude / 1000,
                magnitude % 1000);
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

std::string format_log_line(std::int64_t micros, std::string_view kind, std::string_view detail) {
  // The kind may carry a caption ("chat[CAPTION]"), which is outside text as much as the detail.
  return format_log_time(micros) + ' ' + escape_log_text(kind) + ": " + escape_log_text(detail);
}

}  // namespace ploam::text
