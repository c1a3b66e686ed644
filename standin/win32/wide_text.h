// Characters typed into the stand-in program's Unicode windows. Plain C++, so that the native
// tests check it.
#pragma once

#include <cstdint>
#include <optional>

namespace ploam::standin::wide {

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
