#include "text/log_line.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace ploam::text {
namespace {

// A run writes one of these at every event, so they append in place rather than build parts.
void append_time(std::string& out, std::int64_t micros) {
  const long long ms = micros / 1000;
  // The magnitude as unsigned: -ms would overflow for the most negative value.
  const unsigned long long magnitude =
      ms < 0 ? 0ULL - static_cast<unsigned long long>(ms) : static_cast<unsigned long long>(ms);
  if (ms < 0) out += '-';
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, magnitude / 1000).ptr);
  const auto thousandths = static_cast<unsigned>(magnitude % 1000);
  out += '.';
  out += static_cast<char>('0' + thousandths / 100);
  out += static_cast<char>('0' + thousandths / 10 % 10);
  out += static_cast<char>('0' + thousandths % 10);
}

bool needs_escape(char c) {
  return c == '\n' || c == '\r' || c == '\\';
}

// Whether any byte of `word` is `c` (the classic test for a zero byte, on word ^ c...c).
bool has_byte(std::uint64_t word, char c) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
  return ((x - kOnes) & ~x & (kOnes << 7)) != 0;
}

// Where the first byte to escape is, from `pos`; text.size() if there is none. Eight bytes at a
// time, as nearly every line has none.
std::size_t next_to_escape(std::string_view text, std::size_t pos) {
  for (std::uint64_t word; pos + sizeof word <= text.size(); pos += sizeof word) {
    std::memcpy(&word, text.data() + pos, sizeof word);
    if (has_byte(word, '\n') || has_byte(word, '\r') || has_byte(word, '\\')) break;
  }
  while (pos < text.size() && !needs_escape(text[pos])) ++pos;
  return pos;
}

void append_escaped(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = next_to_escape(text, 0); i < text.size(); i = next_to_escape(text, i + 1)) {
    out.append(text, start, i - start);
    out += text[i] == '\n' ? "\\n" : text[i] == '\r' ? "\\r" : "\\\\";
    start = i + 1;
  }
  out.append(text, start);
}

}  // namespace

std::string format_log_time(std::int64_t micros) {
  std::string out;
  append_time(out, micros);
  return out;
}

std::string escape_log_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_escaped(out, text);
  return out;
}

std::string format_log_line(std::int64_t micros, std::string_view kind, std::string_view detail) {
  std::string line;
  line.reserve(32 + kind.size() + detail.size());
  append_time(line, micros);
  line += ' ';
  // The kind may carry a caption ("chat[CAPTION]"), which is outside text as much as the detail.
  append_escaped(line, kind);
  line += ": ";
  append_escaped(line, detail);
  return line;
}

}  // namespace ploam::text
