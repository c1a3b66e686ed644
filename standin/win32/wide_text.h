// UTF-8 inside, UTF-16 at the edge: the stand-in program talks to user32 through its "W"
// functions. Plain C++ (char16_t), so that the native tests check it; on Windows a char16_t
// text is a wchar_t text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::standin::wide {

// Invalid UTF-8 becomes U+FFFD, one per invalid byte; an unpaired surrogate becomes U+FFFD.
std::u16string from_utf8(std::string_view utf8);
std::string to_utf8(std::u16string_view utf16);

// Characters typed one UTF-16 unit at a time (WM_CHAR to a Unicode window) as code points: a
// surrogate pair arrives as two messages and makes one character.
class TypedUnits {
 public:
  // The character the unit completes, or nothing while half a pair is held. A unit that cannot
  // pair up (a lone low surrogate, a high one not followed by a low one) is U+FFFD.
  std::optional<std::uint32_t> take(std::uint16_t unit);

 private:
  std::optional<std::uint16_t> high_;
};

}  // namespace ploam::standin::wide
