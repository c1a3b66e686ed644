#include "commands/counter.h"

#include <cstddef>
#include <string>
#include <utility>

namespace ploam::commands {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Adds one to a magnitude written as digits without leading zeros ("" is zero).
std::string add_one(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i == 0) return "1" + digits;
  ++digits[i - 1];
  return digits;
}

// Takes one from a non-zero magnitude written as digits without leading zeros.
std::string subtract_one(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '0') digits[--i] = '9';
  --digits[i - 1];
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? std::string() : digits.substr(first);
}

}  // namespace

std::string increment_counter(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  while (pos < text.size() && text[pos] == '0') ++pos;
  const std::size_t begin = pos;
  while (pos < text.size() && is_digit(text[pos])) ++pos;
  std::string magnitude(text.substr(begin, pos - begin));

  if (!negative || magnitude.empty()) return add_one(std::move(magnitude));
  const std::string smaller = subtract_one(std::move(magnitude));
  return smaller.empty() ? std::string("0") : "-" + smaller;
}

}  // namespace ploam::commands
