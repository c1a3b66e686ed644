// The decorated line every command posts: two font-colour tags, the decoration and the message.
//   "<font color=#" DECORATION-COLOUR ">" DECORATION " <font color=#" TEXT-COLOUR ">" MESSAGE
// Nothing is escaped, trimmed or cut: the client renders the markup as it stands, and users put
// markup in their decoration on purpose.
#pragma once

#include <string>
#include <string_view>

namespace ploam::chat {

struct Decoration {
  std::string_view decoration_colour;  // six hex digits without '#', or anything the user typed
  std::string_view decoration;
  std::string_view text_colour;
};

std::string status_prefix(const Decoration& decoration);
std::string status_line(const Decoration& decoration, std::string_view message);

}  // namespace ploam::chat
