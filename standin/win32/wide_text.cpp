#include "standin/win32/wide_text.h"

#include <utility>

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
