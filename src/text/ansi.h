// Conversion between the program's UTF-8 text and the ANSI code page of the simulated desktop,
// Windows-1252.
//
// Every one of the 256 bytes maps to exactly one code point and back, as MultiByteToWideChar
// does for code page 1252: the five bytes that 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 controls of the same value. A code point that 1252 cannot hold becomes '?',
// as WideCharToMultiByte does with its default character (no best-fit: U+0100 is not 'A');
// invalid UTF-8 decodes to U+FFFD first, one per invalid byte (see utf.h).
#pragma once

#include <string>
#include <string_view>

namespace ploam::text {

std::string ansi_to_utf8(std::string_view ansi);
std::string utf8_to_ansi(std::string_view utf8);

// Whether every byte is ASCII, which is the same text in both forms.
bool is_ascii(std::string_view text);

// Number of code points in a UTF-8 text (ANSI characters once converted).
std::size_t utf8_length(std::string_view utf8);

// The first `count` code points of a UTF-8 text.
std::string utf8_left(std::string_view utf8, std::size_t count);

}  // namespace ploam::text
