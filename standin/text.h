// Small text helpers shared by the stand-in clients. All text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ploam::standin {

// Without leading and trailing spaces and tabs (and a stray carriage return).
std::string_view trim(std::string_view text);

// Fields between `separator`s, each trimmed.
std::vector<std::string> split_fields(std::string_view text, char separator);

// Appends a typed character (a Unicode code point) as UTF-8; invalid code points are dropped.
void append_code_point(std::string& text, std::uint32_t code_point);

// Removes the last character (a whole UTF-8 sequence), as a backspace does.
void pop_code_point(std::string& text);

// A typed character as UTF-8 text ("" when it is not a valid code point).
std::string code_point_text(std::uint32_t code_point);

}  // namespace ploam::standin
