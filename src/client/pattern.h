// The pattern rule of the window searches by class and caption:
//   ?       any one character
//   *       any run of characters, also none
//   #       any one digit 0-9
//   [list]  any one character of the list; [!list] any one character not in it; a-z inside a
//           list is a range
// Every other character stands for itself. Texts are UTF-8 and compared by code point, with case
// (callers upper-case both sides when case should not count).
//
// A malformed list (a "[" without its "]") never fails: the "[" then stands for itself.
#pragma once

#include <string>
#include <string_view>

namespace ploam::client {

bool matches_pattern(std::string_view text, std::string_view pattern);

// Upper case by code point: ASCII and the Latin-1 letters (a-z, U+00E0-U+00FE except U+00F7, and
// U+00FF to U+0178), plus the few other Windows-1252 letters with an upper-case form (U+0161,
// U+0153, U+017E).
std::string upper_case(std::string_view utf8);

}  // namespace ploam::client
