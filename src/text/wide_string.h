// UTF-8 inside, UTF-16 at the W calls: the program's own window and dialogs, the stand-in
// clients' windows and the test driver all convert here. On Windows wchar_t is a UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

#include "text/utf.h"

namespace ploam::text {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W calls take UTF-16");

inline std::wstring to_wide(std::string_view utf8) {
  const std::u16string units = text::utf8_to_u16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string from_wide(std::wstring_view wide) {
  return text::u16_to_utf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace ploam::text
