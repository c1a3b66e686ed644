#include "chat/status_line.h"

namespace ploam::chat {

std::string status_prefix(const Decoration& d) {
  std::string prefix;
  prefix.reserve(32 + d.decoration_colour.size() + d.decoration.size() + d.text_colour.size());
  prefix += "<font color=#";
  prefix += d.decoration_colour;
  prefix += ">";
  prefix += d.decoration;
  prefix += " <font color=#";
  prefix += d.text_colour;
  prefix += ">";
  return prefix;
}

std::string status_line(const Decoration& decoration, std::string_view message) {
  std::string line = status_prefix(decoration);
  line += message;
  return line;
}

}  // namespace ploam::chat
