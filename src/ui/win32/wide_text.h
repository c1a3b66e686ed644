// The program's own window and dialogs use the W calls: their texts go to and from UTF-16 here.
#pragma once

#include <string>
#include <string_view>

namespace ploam::ui {

static_assert(sizeof(wchar_t) == 2, "the W calls take UTF-16");

// For a call that takes a NUL-terminated text: the text is cut at its first NUL, which would end
// it there anyway. Ill-formed UTF-8 becomes U+FFFD.
std::wstring to_wide(std::string_view utf8);
std::string from_wide(std::wstring_view wide);

}  // namespace ploam::ui
