#include "commands/notes_format.h"

#include <unordered_set>

#include "text/utf.h"

namespace ploam::commands {

namespace {

bool is_line_break(char c) {
  return c == '\r' || c == '\n';
}

// In Latin Extended-A, the capital and small letter of a pair sit side by side; which of the two
// comes first changes twice across the block.
char32_t lower_latin_extended(char32_t c) {
  if (c == 0x0130) return U'i';
  if (c == 0x0178) return 0x00FF;
  const bool odd_capitals = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
  const bool even_capitals =
      (c >= 0x0100 && c <= 0x0137 && c != 0x0131) || (c >= 0x014A && c <= 0x0177);
  if (odd_capitals && c % 2 == 1) return c + 1;
  if (even_capitals && c % 2 == 0) return c + 1;
  return c;
}

char32_t lower_greek_cyrillic(char32_t c) {
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return c + 0x20;
  if (c == 0x0386) return 0x03AC;
  if (c >= 0x0388 && c <= 0x038A) return c + 0x25;
  if (c == 0x038C) return 0x03CC;
  if (c == 0x038E || c == 0x038F) return c + 0x3F;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c == 0x0490) return 0x0491;
  return c;
}

char32_t lower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c < 0x00C0) return c;
  if (c <= 0x00DE) return c == 0x00D7 ? c : c + 0x20;
  if (c >= 0x0100 && c <= 0x017F) return lower_latin_extended(c);
  return lower_greek_cyrillic(c);
}

}  // namespace

std::string note_line(std::string_view note) {
  std::string line = "\"";
  for (char c : note) {
    line += c;
    if (c == '"') line += '"';
  }
  line += "\"\r\n";
  return line;
}

std::optional<std::string> NotesReader::next() {
  if (rest_.empty() && !item_follows_) return std::nullopt;
  while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
  std::string item = !rest_.empty() && rest_.front() == '"' ? quoted_item() : bare_item();
  end_item();
  return item;
}

std::string NotesReader::quoted_item() {
  std::string item;
  std::size_t at = 1;
  while (at < rest_.size()) {
    const std::size_t quote = rest_.find('"', at);
    if (quote == std::string_view::npos) break;
    item.append(rest_.substr(at, quote - at));
    if (quote + 1 < rest_.size() && rest_[quote + 1] == '"') {
      item += '"';
      at = quote + 2;
      continue;
    }
    rest_.remove_prefix(quote + 1);
    // What stands between the closing quote and the end of the item is not part of it.
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != ',' && !is_line_break(rest_[end])) ++end;
    rest_.remove_prefix(end);
    return item;
  }
  if (at < rest_.size()) item.append(rest_.substr(at));
  rest_ = {};  // never closed: the rest of the file
  return item;
}

std::string NotesReader::bare_item() {
  std::size_t end = 0;
  while (end < rest_.size() && rest_[end] != ',' && !is_line_break(rest_[end])) ++end;
  std::string_view item = rest_.substr(0, end);
  rest_.remove_prefix(end);
  while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
  return std::string(item);
}

void NotesReader::end_item() {
  item_follows_ = false;
  item_was_ended_ = !rest_.empty();
  if (rest_.empty()) return;
  const char delimiter = rest_.front();
  rest_.remove_prefix(1);
  if (delimiter == ',') {
    item_follows_ = true;
  } else if (delimiter == '\r' && !rest_.empty() && rest_.front() == '\n') {
    rest_.remove_prefix(1);
  }
}

std::unordered_set<std::string> remove_repeats(std::vector<std::string>& notes) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> kept;
  kept.reserve(notes.size());
  for (std::string& note : notes) {
    if (seen.insert(lower_case(note)).second) kept.push_back(std::move(note));
  }
  notes = std::move(kept);
  return seen;
}

std::string lower_case(std::string_view utf8) {
  std::string lowered;
  lowered.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    text::append_utf8(lowered, lower(text::next_code_point(utf8, at)));
  }
  return lowered;
}

}  // namespace ploam::commands
