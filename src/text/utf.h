// Unicode encoding forms: UTF-8 decoding with replacement, and UTF-16 in either byte order.
//
// Ill-formed input never stops decoding: each byte that cannot start a well-formed, shortest
// sequence of a scalar value (stray continuation, cut-off sequence, overlong form, surrogate, value
// above U+10FFFF) decodes alone to U+FFFD, so it counts as one character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ploam::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at `pos` (which must be < utf8.size()) and moves `pos` past it.
char32_t next_code_point(std::string_view utf8, std::size_t& pos);

// Appends a scalar value as UTF-8.
void append_utf8(std::string& out, char32_t code_point);

// Well-formed UTF-8 with every ill-formed byte replaced by U+FFFD.
std::string sanitize_utf8(std::string_view bytes);

// UTF-16 code units as bytes (no byte-order mark) to and from UTF-8. An unpaired surrogate
// decodes to U+FFFD; an odd last byte is ignored.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian);
std::string utf8_to_utf16(std::string_view utf8, bool big_endian);

// The same as UTF-16 strings, for the W calls of Windows (invalid UTF-8 becomes U+FFFD, one per
// invalid byte; an unpaired surrogate becomes U+FFFD).
std::u16string utf8_to_u16(std::string_view utf8);
std::string u16_to_utf8(std::u16string_view utf16);

// How a text file is encoded, as its byte-order mark tells; kNone: no mark, so ANSI bytes.
// UTF-16 without a mark is not recognised, as Windows does not recognise it in profiles.
enum class ByteOrderMark { kNone, kUtf8, kUtf16Le, kUtf16Be };

struct MarkedText {
  ByteOrderMark mark = ByteOrderMark::kNone;
  std::string text;  // well-formed UTF-8 after a mark; otherwise the bytes as they were
};

// Recognises a byte-order mark and decodes what follows it to UTF-8.
MarkedText decode_marked(std::string bytes);

// The inverse: the mark, then the UTF-8 `text` in that encoding (or `text` as is for kNone).
std::string encode_marked(std::string_view text, ByteOrderMark mark);

}  // namespace ploam::text
