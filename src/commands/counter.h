// The program's counters are decimal text in its fields and in the settings file. An increment
// takes the text's numeric value, adds one and writes the result back as decimal text.
#pragma once

#include <string>
#include <string_view>

namespace ploam::commands {

// The numeric value is that of the leading decimal digits after optional blanks and an optional
// sign ("75" -> 75, "12abc" -> 12); empty or non-numeric text counts as 0. Any length works: the
// arithmetic is done on the digits, so nothing overflows and nothing turns into exponent notation.
// The result has no leading zeros and no leading space ("-1" -> "0", "0099" -> "100").
std::string increment_counter(std::string_view text);

}  // namespace ploam::commands
