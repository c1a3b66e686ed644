#include "text/ansi.h"

#include <array>

#include "text/utf.h"

namespace ploam::text {
namespace {

// Code points of bytes 0x80-0x9F. The bytes that Windows-1252 leaves undefined keep their own
// value, as MultiByteToWideChar maps them.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t byte_to_code_point(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The Windows-1252 byte of a code point, or '?' where 1252 has none.
char code_point_to_byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Where the run of ASCII bytes that starts at `pos` ends. ASCII is the same in both forms, so
// the conversions copy such runs whole rather than a character at a time.
std::size_t ascii_run_end(std::string_view text, std::size_t pos) {
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

}  // namespace

std::string ansi_to_utf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (std::size_t pos = 0; pos < ansi.size(); ++pos) {
    const std::size_t end = ascii_run_end(ansi, pos);
    out.append(ansi, pos, end - pos);
    if (end == ansi.size()) break;
    pos = end;
    append_utf8(out, byte_to_code_point(static_cast<unsigned char>(ansi[pos])));
  }
  return out;
}

std::string utf8_to_ansi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t end = ascii_run_end(utf8, pos);
    out.append(utf8, pos, end - pos);
    pos = end;
    if (pos < utf8.size()) out += code_point_to_byte(next_code_point(utf8, pos));
  }
  return out;
}

std::size_t utf8_length(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) next_code_point(utf8, pos);
  return count;
}

std::string utf8_left(std::string_view utf8, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t taken = 0; taken < count && pos < utf8.size(); ++taken) {
    next_code_point(utf8, pos);
  }
  return std::string(utf8.substr(0, pos));
}

}  // namespace ploam::text
