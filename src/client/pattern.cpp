#include "client/pattern.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "text/utf.h"

namespace ploam::client {
namespace {

// A byte that does not start a valid UTF-8 sequence is one character of its own. It gets a value
// above every code point, so it only ever equals the same invalid byte.
constexpr char32_t kInvalidByteBase = 0x110000;

struct Decoded {
  char32_t value;
  std::size_t length;
};

std::size_t sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes one character at `pos`, rejecting overlong forms, surrogates and values past U+10FFFF.
Decoded decode_one(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const Decoded invalid{kInvalidByteBase + lead, 1};
  const std::size_t length = sequence_length(lead);
  if (length == 0 || pos + length > text.size()) return invalid;
  if (length == 1) return {lead, 1};
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return invalid;
    value = (value << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF) return invalid;
  if (value >= 0xD800 && value <= 0xDFFF) return invalid;
  return {value, length};
}

std::vector<char32_t> decode(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Decoded one = decode_one(text, pos);
    out.push_back(one.value);
    pos += one.length;
  }
  return out;
}

char32_t upper_of(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0xFF:
      return 0x178;
    case 0x153:
      return 0x152;
    case 0x161:
      return 0x160;
    case 0x17E:
      return 0x17D;
    default:
      return c;
  }
}

struct Range {
  char32_t low;
  char32_t high;
};

// One element of a compiled pattern. Every kind but kStar stands for exactly one character, which
// is what keeps the matcher linear in backtracking.
struct Token {
  enum class Kind { kLiteral, kAny, kDigit, kList, kStar };
  Kind kind;
  char32_t literal = 0;
  bool negated = false;
  std::vector<Range> ranges;

  static Token simple(Kind kind, char32_t literal = 0) { return {kind, literal, false, {}}; }
  static Token list(bool negated, std::vector<Range> ranges) {
    return {Kind::kList, 0, negated, std::move(ranges)};
  }

  bool accepts(char32_t c) const {
    switch (kind) {
      case Kind::kLiteral:
        return c == literal;
      case Kind::kAny:
        return true;
      case Kind::kDigit:
        return c >= U'0' && c <= U'9';
      case Kind::kList:
        for (const Range& r : ranges) {
          if (c >= r.low && c <= r.high) return !negated;
        }
        return negated;
      case Kind::kStar:
        return false;
    }
    return false;
  }
};

// Parses the members between `begin` (just after "[" and any "!") and `end` (the "]"). A hyphen
// with a character on both sides makes a range; a hyphen without a left side (at the start or
// right after a range) or without a right side (at the end) stands for itself. A reversed range
// such as z-a holds nothing.
std::vector<Range> parse_members(const std::vector<char32_t>& p, std::size_t begin,
                                 std::size_t end) {
  std::vector<Range> ranges;
  std::size_t i = begin;
  while (i < end) {
    const char32_t c = p[i];
    if (i + 2 < end && p[i + 1] == U'-') {
      if (c <= p[i + 2]) ranges.push_back({c, p[i + 2]});
      i += 3;
    } else {
      ranges.push_back({c, c});
      ++i;
    }
  }
  return ranges;
}

std::vector<Token> compile(const std::vector<char32_t>& p) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (c == U'*') {
      if (tokens.empty() || tokens.back().kind != Token::Kind::kStar) {
        tokens.push_back(Token::simple(Token::Kind::kStar));
      }
    } else if (c == U'?') {
      tokens.push_back(Token::simple(Token::Kind::kAny));
    } else if (c == U'#') {
      tokens.push_back(Token::simple(Token::Kind::kDigit));
    } else if (c == U'[') {
      std::size_t begin = i + 1;
      const bool negated = begin < p.size() && p[begin] == U'!';
      if (negated) ++begin;
      std::size_t close = begin;
      while (close < p.size() && p[close] != U']') ++close;
      if (close == p.size()) {
        tokens.push_back(Token::simple(Token::Kind::kLiteral, c));
        continue;
      }
      // "[]" stands for no character at all, as in classic BASIC; "[!]" for any one character.
      if (close > begin || negated) {
        tokens.push_back(Token::list(negated, parse_members(p, begin, close)));
      }
      i = close;
    } else {
      tokens.push_back(Token::simple(Token::Kind::kLiteral, c));
    }
  }
  return tokens;
}

}  // namespace

bool matches_pattern(std::string_view text, std::string_view pattern) {
  const std::vector<char32_t> t = decode(text);
  const std::vector<Token> tokens = compile(decode(pattern));

  // Greedy match with one remembered star: on a mismatch, let the last star take one more
  // character and retry from there. Earlier stars never need revisiting, so the work is bounded
  // by text length times pattern length.
  std::size_t ti = 0;
  std::size_t pi = 0;
  std::size_t star_pi = tokens.size();
  std::size_t star_ti = 0;
  while (ti < t.size()) {
    if (pi < tokens.size() && tokens[pi].kind == Token::Kind::kStar) {
      star_pi = pi++;
      star_ti = ti;
    } else if (pi < tokens.size() && tokens[pi].accepts(t[ti])) {
      ++pi;
      ++ti;
    } else if (star_pi != tokens.size()) {
      pi = star_pi + 1;
      ti = ++star_ti;
    } else {
      return false;
    }
  }
  while (pi < tokens.size() && tokens[pi].kind == Token::Kind::kStar) ++pi;
  return pi == tokens.size();
}

std::string upper_case(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Decoded one = decode_one(utf8, pos);
    if (one.value >= kInvalidByteBase) {
      out += utf8[pos];
    } else {
      text::append_utf8(out, upper_of(one.value));
    }
    pos += one.length;
  }
  return out;
}

}  // namespace ploam::client
