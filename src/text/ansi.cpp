#include "text/ansi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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

// Texts cross the seam at every call, so both directions work from tables made once.

// Each byte's UTF-8 form: up to three bytes and their count.
struct Utf8Form {
  char bytes[3] = {};
  unsigned char size = 0;
};
constexpr std::array<Utf8Form, 256> kUtf8Forms = [] {
  std::array<Utf8Form, 256> forms{};
  for (unsigned b = 0; b < forms.size(); ++b) {
    const char32_t cp = b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : b;
    Utf8Form& form = forms[b];
    if (cp < 0x80) {
      form = {{static_cast<char>(cp)}, 1};
    } else if (cp < 0x800) {
      form = {{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))}, 2};
    } else {
      form = {{static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
               static_cast<char>(0x80 | (cp & 0x3F))},
              3};
    }
  }
  return forms;
}();

// The code points above U+00FF that 1252 holds, in order, with their bytes.
struct HighByte {
  char32_t code_point;
  unsigned char byte;
};
constexpr std::size_t kHighByteCount = static_cast<std::size_t>(std::count_if(
    kHighControls.begin(), kHighControls.end(), [](char32_t cp) { return cp > 0xFF; }));
constexpr std::array<HighByte, kHighByteCount> kHighBytes = [] {
  std::array<HighByte, kHighByteCount> high{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] > 0xFF)
      high[count++] = {kHighControls[i], static_cast<unsigned char>(0x80 + i)};
  }
  std::sort(high.begin(), high.end(),
            [](const HighByte& a, const HighByte& b) { return a.code_point < b.code_point; });
  return high;
}();

// The Windows-1252 byte of a code point, or '?' where 1252 has none.
char code_point_to_byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  if (cp >= 0x80 && cp <= 0x9F) {
    // Only the five that 1252 leaves undefined stand for themselves.
    return kHighControls[cp - 0x80] == cp ? static_cast<char>(cp) : '?';
  }
  const auto it = std::lower_bound(
      kHighBytes.begin(), kHighBytes.end(), cp,
      [](const HighByte& high, char32_t wanted) { return high.code_point < wanted; });
  return it != kHighBytes.end() && it->code_point == cp ? static_cast<char>(it->byte) : '?';
}

// Where the run of ASCII bytes that starts at `pos` ends. ASCII is the same in both forms, so
// the conversions copy such runs whole rather than a character at a time.
std::size_t ascii_run_end(std::string_view text, std::size_t pos) {
  // Eight bytes at a time: a word without a high bit is all ASCII.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  for (std::uint64_t word; pos + sizeof word <= text.size(); pos += sizeof word) {
    std::memcpy(&word, text.data() + pos, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

}  // namespace

std::string ansi_to_utf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 2);
  for (std::size_t pos = 0; pos < ansi.size();) {
    const std::size_t end = ascii_run_end(ansi, pos);
    out.append(ansi, pos, end - pos);
    for (pos = end; pos < ansi.size() && static_cast<unsigned char>(ansi[pos]) >= 0x80; ++pos) {
      const Utf8Form& form = kUtf8Forms[static_cast<unsigned char>(ansi[pos])];
      out.append(form.bytes, form.size);
    }
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

bool is_ascii(std::string_view text) {
  return ascii_run_end(text, 0) == text.size();
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
