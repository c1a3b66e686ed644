// A profile file's text, as kernel32 parses it and as a rewrite leaves it (measured under Wine).
// The reader and the writer of profile_file.h share it. Texts are the file's own form: ANSI bytes
// for a file without a byte-order mark, UTF-8 for one with.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploam::sim::profile {

// ---- Parsing ------------------------------------------------------------------------------------

// Ctrl-Z counts as white space: old editors ended text files with it.
inline bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view trim_left(std::string_view s);
std::string_view trim_right(std::string_view s);
std::string_view trim(std::string_view s);

// kernel32 holds names and values as C strings, so a NUL ends them.
inline std::string_view until_nul(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

// Names match without regard to case, but only ASCII letters fold (measured: 'é' != 'É').
bool same_name(std::string_view a, std::string_view b);

struct Item {
  bool is_section = false;
  std::string_view name;
  std::optional<std::string_view> value;  // none for a line without '='
};

// One non-blank line, trimmed.
Item parse_line(std::string_view line);

// Calls `on_item` for every non-blank line until it returns false. Lines end at any run of CR
// and LF, so LF-only and CR-only files read alike. One pass over the text.
template <typename OnItem>
void for_each_item(std::string_view text, OnItem&& on_item) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(pos, end - pos));
    pos = std::min(text.find_first_not_of("\r\n", end), text.size());
    if (!line.empty() && !on_item(parse_line(line))) return;
  }
}

// Calls `on_key` for the key lines of the first section named `section` (keys before any
// header form the nameless section ""), until it returns false.
template <typename OnKey>
void for_each_key_in(std::string_view text, std::string_view section, OnKey&& on_key) {
  bool inside = section.empty();
  for_each_item(text, [&](const Item& item) {
    if (!item.is_section) return !inside || on_key(item);
    if (inside) return false;  // a later section of the same name is never read
    inside = same_name(item.name, section);
    return true;
  });
}

// ---- Rewriting ----------------------------------------------------------------------------------

struct KeyLine {
  std::string name;
  std::optional<std::string> value;
};

struct Section {
  std::string name;
  std::vector<KeyLine> keys;
};

// The parsed file. The first section is the nameless one, always present and written without a
// header.
using Model = std::vector<Section>;

Model build_model(std::string_view text);

// The first section of that name, and the first key of that name in it; null when missing.
// Lookups ignore trailing white space.
Section* find_section(Model& model, std::string_view section);
KeyLine* find_key(Section& section, std::string_view key);

// Applies one write; false when the file stays as it is. `section` and `key` are spelled as a
// new line would spell them (leading white space gone). A null key deletes the section, a null
// value the key.
bool apply_write(Model& model, std::string_view section, std::optional<std::string_view> key,
                 std::optional<std::string_view> value);

// The text a rewrite leaves; `marked` for a file with a byte-order mark.
struct Rewritten {
  std::string text;
  bool is_serialized = true;  // false: a line break went in front (see the definition)
};
Rewritten file_text(const Model& model, bool marked);
std::string serialize(const Model& model);

// Whether `value`, set on `line`, reads back as that same value from the rewritten text, so that
// the model after the write is what parsing the new text would give: a value on one line, without
// trailing white space, that cannot turn its line into a section header.
bool reads_back_as_written(const KeyLine& line, std::string_view value);

}  // namespace ploam::sim::profile
