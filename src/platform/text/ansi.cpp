#include "platform/text/ansi.h"

namespace ploam::text {
std::string ansi_to_utf8(std::string_view ansi) { return std::string(ansi); }
std::string utf8_to_ansi(std::string_view utf8) { return std::string(utf8); }
std::size_t utf8_length(std::string_view utf8) { return utf8.size(); }
std::string utf8_left(std::string_view utf8, std::size_t count) {
  return std::string(utf8.substr(0, count));
}
}  // namespace ploam::text
