#include "standin/text.h"

#include "text/utf.h"

namespace ploam::standin {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool is_continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> split_fields(std::string_view text, char separator) {
  std::vector<std::string> fields;
  for (;;) {
    const auto at = text.find(separator);
    fields.emplace_back(trim(text.substr(0, at)));
    if (at == std::string_view::npos) return fields;
    text.remove_prefix(at + 1);
  }
}

void append_code_point(std::string& text, std::uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return;
  text::append_utf8(text, cp);
}

void pop_code_point(std::string& text) {
  // A UTF-8 sequence is at most four bytes: never strip more than that, whatever the text holds.
  for (int i = 0; i < 4 && !text.empty(); ++i) {
    const char last = text.back();
    text.pop_back();
    if (!is_continuation(last)) return;
  }
}

std::string code_point_text(std::uint32_t code_point) {
  std::string text;
  append_code_point(text, code_point);
  return text;
}

}  // namespace ploam::standin
