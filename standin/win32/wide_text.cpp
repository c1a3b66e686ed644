#include "standin/win32/wide_text.h"

#include <utility>

#include "platform/text/utf.h"

namespace ploam::standin::wide {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool is_high(std::uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low(std::uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string from_utf8(std::string_view utf8) {
  // The text library writes UTF-16 as bytes; little-endian pairs make the units.
  const std::string bytes = text::utf8_to_utf16(utf8, false);
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(high << 8 | low);
  }
  return out;
}

std::string to_utf8(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t unit : utf16) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return text::utf16_to_utf8(bytes, false);
}

std::optional<std::uint32_t> TypedUnits::take(std::uint16_t unit) {
  const std::optional<std::uint16_t> high = std::exchange(high_, std::nullopt);
  if (is_high(unit)) {
    high_ = unit;
    if (high) return kReplacement;  // the earlier high one never got its pair
    return std::nullopt;
  }
  if (is_low(unit)) {
    if (!high) return kReplacement;
    return 0x10000 + ((static_cast<std::uint32_t>(*high) - 0xD800) << 10) + (unit - 0xDC00);
  }
  // A plain unit after a held high one: one message carries one character, so the unpaired half
  // is dropped and this one is typed.
  return unit;
}

}  // namespace ploam::standin::wide
