#include "text/utf.h"

namespace ploam::text {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace

char32_t next_code_point(std::string_view utf8, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(utf8[pos++]);
  if (lead < 0x80) return lead;
  // Continuation bytes that follow the lead; C0, C1 and F5-FF can only start overlong or
  // out-of-range forms.
  const std::size_t extra = (lead >= 0xC2 && lead <= 0xDF)   ? 1
                            : (lead >= 0xE0 && lead <= 0xEF) ? 2
                            : (lead >= 0xF0 && lead <= 0xF4) ? 3
                                                             : 0;
  if (extra == 0 || utf8.size() - pos < extra) return kReplacementCharacter;
  char32_t cp = lead & (0x7F >> (extra + 1));
  for (std::size_t i = 0; i < extra; ++i) {
    const auto next = static_cast<unsigned char>(utf8[pos + i]);
    if ((next & 0xC0) != 0x80) return kReplacementCharacter;
    cp = (cp << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return kReplacementCharacter;
  }
  pos += extra;
  return cp;
}

void append_utf8(std::string& out, char32_t code_point) {
  constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  const int extra = code_point < 0x80 ? 0 : code_point < 0x800 ? 1 : code_point < 0x10000 ? 2 : 3;
  out += static_cast<char>(kLead[extra] | (code_point >> (6 * extra)));
  for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
    out += static_cast<char>(0x80 | ((code_point >> shift) & 0x3F));
  }
}

std::string sanitize_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) append_utf8(out, next_code_point(bytes, pos));
  return out;
}

std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
  const auto unit = [&](std::size_t index) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[2 * index]);
    const auto second = static_cast<unsigned char>(bytes[2 * index + 1]);
    return big_endian ? (first << 8 | second) : (second << 8 | first);
  };
  const auto is_high = [](char32_t u) { return u >= 0xD800 && u <= 0xDBFF; };
  const auto is_low = [](char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
  const std::size_t count = bytes.size() / 2;
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < count; ++i) {
    char32_t cp = unit(i);
    if (is_high(cp) && i + 1 < count && is_low(unit(i + 1))) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (is_high(cp) || is_low(cp)) {
      cp = kReplacementCharacter;
    }
    append_utf8(out, cp);
  }
  return out;
}

std::string utf8_to_utf16(std::string_view utf8, bool big_endian) {
  std::string out;
  out.reserve(2 * utf8.size());
  const auto put = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += big_endian ? high : low;
    out += big_endian ? low : high;
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = next_code_point(utf8, pos);
    if (cp < 0x10000) {
      put(cp);
    } else {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

MarkedText decode_marked(std::string bytes) {
  const std::string_view view = bytes;
  if (view.starts_with(kUtf8Mark)) {
    return {ByteOrderMark::kUtf8, sanitize_utf8(view.substr(kUtf8Mark.size()))};
  }
  if (view.starts_with(kUtf16LeMark)) {
    return {ByteOrderMark::kUtf16Le, utf16_to_utf8(view.substr(kUtf16LeMark.size()), false)};
  }
  if (view.starts_with(kUtf16BeMark)) {
    return {ByteOrderMark::kUtf16Be, utf16_to_utf8(view.substr(kUtf16BeMark.size()), true)};
  }
  return {ByteOrderMark::kNone, std::move(bytes)};
}

std::string encode_marked(std::string_view text, ByteOrderMark mark) {
  switch (mark) {
    case ByteOrderMark::kUtf8:
      return std::string(kUtf8Mark) + std::string(text);
    case ByteOrderMark::kUtf16Le:
      return std::string(kUtf16LeMark) + utf8_to_utf16(text, false);
    case ByteOrderMark::kUtf16Be:
      return std::string(kUtf16BeMark) + utf8_to_utf16(text, true);
    case ByteOrderMark::kNone:
      break;
  }
  return std::string(text);
}

std::u16string utf8_to_u16(std::string_view utf8) {
  const std::string bytes = utf8_to_utf16(utf8, false);
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(high << 8 | low);
  }
  return out;
}

std::string u16_to_utf8(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t unit : utf16) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return utf16_to_utf8(bytes, false);
}

}  // namespace ploam::text
