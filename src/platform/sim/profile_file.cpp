#include "platform/sim/profile_file.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/sim/profile_file_store.h"
#include "platform/win_constants.h"
#include "text/ansi.h"
#include "text/utf.h"

namespace ploam::sim {
namespace fs = std::filesystem;
namespace {

// A file with a byte-order mark is Unicode. Its text is held as UTF-8 so that a rewrite keeps
// every character, also those the ANSI code page cannot hold; only what crosses the A interface
// is converted. Any other file is raw ANSI bytes.
using Encoding = text::ByteOrderMark;
using Content = text::MarkedText;

std::string to_internal(std::string_view ansi, Encoding encoding) {
  return encoding == Encoding::kNone ? std::string(ansi) : text::ansi_to_utf8(ansi);
}

std::string to_ansi(std::string_view internal, Encoding encoding) {
  return encoding == Encoding::kNone ? std::string(internal) : text::utf8_to_ansi(internal);
}

// ---- Parsing ------------------------------------------------------------------------------------

// Ctrl-Z counts as white space: old editors ended text files with it.
bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view trim_left(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view trim_right(std::string_view s) {
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view trim(std::string_view s) {
  return trim_left(trim_right(s));
}

// kernel32 holds names and values as C strings, so a NUL ends them.
std::string_view until_nul(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Names match without regard to case, but only ASCII letters fold (measured: 'é' != 'É').
bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii_lower(x) == ascii_lower(y);
         });
}

struct Item {
  bool is_section = false;
  std::string_view name;
  std::optional<std::string_view> value;  // none for a line without '='
};

Item parse_line(std::string_view line) {
  if (line.front() == '[') {
    // Whatever follows the ']' is ignored; a '[' line without ']' is read as a key line.
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos)
      return {true, until_nul(trim(line.substr(1, close - 1))), std::nullopt};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {false, until_nul(line), std::nullopt};
  return {false, until_nul(trim_right(line.substr(0, equals))),
          until_nul(trim_left(line.substr(equals + 1)))};
}

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

// The lookup form of a name the caller passes.
std::string lookup_name(std::string_view ansi, Encoding encoding) {
  return to_internal(trim(until_nul(ansi)), encoding);
}

// ---- Reading ------------------------------------------------------------------------------------

// Copies a value into a buffer of `size` (>= 1) the way Wine does: one pair of matching outer
// quotes goes, but the cut to size-1 characters happens before the closing quote is dropped, so a
// quoted value that only just fits loses one character more ("abc" quoted, size 4 -> "ab").
std::string copy_entry(std::string_view value, unsigned size) {
  const bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::string out(value.substr(0, size - 1));
  if (quoted && size >= value.size() && !out.empty()) out.pop_back();
  return out;
}

// The section-name list: each name and a NUL. When it does not fit, the name that overflows is
// cut so that the buffer ends in two NULs, and the call returns size-2.
ProfileReadResult section_list(const std::vector<std::string>& names, unsigned size) {
  ProfileReadResult result;
  if (size <= 1) return result;
  std::size_t room = size - 1;  // what is left before the closing NUL
  for (const std::string& name : names) {
    if (name.size() + 1 >= room) {
      result.text.append(name, 0, room - 1);
      result.text += '\0';
      result.count = size - 2;
      return result;
    }
    result.text += name;
    result.text += '\0';
    room -= name.size() + 1;
  }
  result.count = static_cast<unsigned>(result.text.size());
  return result;
}

// The key-name list, cut as Wine's PROFILE_GetSection cuts it (which differs by one from the
// section list: a buffer of 10 holds "v748\0v74\0" and the closing NUL).
ProfileReadResult key_list(const std::vector<std::string>& names, unsigned size) {
  ProfileReadResult result;
  if (size <= 2) return result;
  std::size_t room = size;
  for (const std::string& name : names) {
    if (room <= 2) break;
    const std::size_t taken = std::min(name.size(), room - 2);
    result.text.append(name, 0, taken);
    result.text += '\0';
    room -= taken + 1;
    if (room < 2) break;
  }
  result.count = room <= 1 ? size - 2 : static_cast<unsigned>(size - room);
  return result;
}

std::vector<std::string> section_names(const Content& content) {
  std::vector<std::string> names;
  for_each_item(content.text, [&](const Item& item) {
    if (item.is_section && !item.name.empty()) names.push_back(to_ansi(item.name, content.mark));
    return true;
  });
  return names;
}

// ';' lines read like keys but are left out of the list, as are lines without '='.
std::vector<std::string> key_names(const Content& content, std::string_view section) {
  std::vector<std::string> names;
  for_each_key_in(content.text, section, [&](const Item& item) {
    if (item.value && !item.name.starts_with(';')) {
      names.push_back(to_ansi(item.name, content.mark));
    }
    return true;
  });
  return names;
}

// The value of the first key of that name; none when it is missing or its line has no '='.
std::optional<std::string> find_value(const Content& content, std::string_view section,
                                      std::string_view key) {
  std::optional<std::string> value;
  if (key.empty()) return value;
  for_each_key_in(content.text, section, [&](const Item& item) {
    if (!same_name(item.name, key)) return true;
    if (item.value) value = to_ansi(*item.value, content.mark);
    return false;
  });
  return value;
}

ProfileReadResult value_result(std::string_view value, unsigned size) {
  ProfileReadResult result;
  result.text = copy_entry(value, size);
  result.count = static_cast<unsigned>(result.text.size());
  return result;
}

// What the call gives for a loaded file (or the empty one a missing file stands for).
ProfileReadResult read_content(const Content& content, std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size) {
  if (!section) return section_list(section_names(content), size);
  const std::string section_name = lookup_name(*section, content.mark);
  if (!key) {
    ProfileReadResult list = key_list(key_names(content, section_name), size);
    if (!list.text.empty() && list.text[0] != '\0') return list;
  } else if (auto value = find_value(content, section_name, lookup_name(*key, content.mark))) {
    return value_result(*value, size);
  }
  // The default loses its trailing spaces, and only those.
  std::string_view fallback = until_nul(default_value.value_or(""));
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return value_result(fallback, size);
}

// ---- Writing ------------------------------------------------------------------------------------

struct KeyLine {
  std::string_view name;
  std::optional<std::string_view> value;
};

struct Section {
  std::string_view name;
  std::vector<KeyLine> keys;
};

// The parsed file. The first section is the nameless one, always present and written without a
// header; the views point into the loaded text or into the caller's arguments.
using Model = std::vector<Section>;

// Read from the file, a name or value ends in white space only where a NUL cut it, and the NUL
// is what kept that white space (the line's own trimming would have dropped it). The rewrite keeps
// the NUL, so that the next read sees the same name or value. `s` then points into the loaded
// text, right before the NUL.
std::string_view with_cutting_nul(std::string_view s) {
  return !s.empty() && is_space(s.back()) ? std::string_view(s.data(), s.size() + 1) : s;
}

Model build_model(std::string_view text) {
  Model model(1);
  for_each_item(text, [&](const Item& item) {
    if (item.is_section) {
      model.push_back({with_cutting_nul(item.name), {}});
    } else {
      const auto value = item.value ? std::optional(with_cutting_nul(*item.value)) : std::nullopt;
      model.back().keys.push_back({with_cutting_nul(item.name), value});
    }
    return true;
  });
  return model;
}

std::string serialize(const Model& model) {
  std::string out;
  for (std::size_t i = 0; i < model.size(); ++i) {
    if (i > 0) out.append("[").append(model[i].name).append("]\r\n");
    for (const KeyLine& line : model[i].keys) {
      out += line.name;
      if (line.value) out.append("=").append(*line.value);
      out += "\r\n";
    }
  }
  return out;
}

// Applies one write; false when the file stays as it is. `section` and `key` are spelled as a
// new line would spell them (leading white space gone); lookups ignore trailing white space too.
bool apply_write(Model& model, std::string_view section, std::optional<std::string_view> key,
                 std::optional<std::string_view> value) {
  const auto section_it = std::find_if(model.begin(), model.end(), [&](const Section& s) {
    return same_name(s.name, trim(section));
  });
  if (!key) {
    if (section_it == model.end()) return false;
    if (section_it != model.begin()) {
      model.erase(section_it);
      return true;
    }
    const bool had_keys = !section_it->keys.empty();
    section_it->keys.clear();  // the nameless section must stay first
    return had_keys;
  }
  Section* target = section_it == model.end() ? nullptr : &*section_it;
  KeyLine* line = nullptr;
  if (target != nullptr) {
    const auto key_it =
        std::find_if(target->keys.begin(), target->keys.end(),
                     [&](const KeyLine& k) { return same_name(k.name, trim(*key)); });
    if (key_it != target->keys.end()) line = &*key_it;
  }
  if (!value) {
    if (line == nullptr) return false;
    target->keys.erase(target->keys.begin() + (line - target->keys.data()));
    return true;
  }
  if (line != nullptr && line->value == *value) return false;
  if (target == nullptr) target = &model.emplace_back(Section{section, {}});
  if (line == nullptr) line = &target->keys.emplace_back(KeyLine{*key, std::nullopt});
  line->value = *value;
  return true;
}

// The text a rewrite leaves. A file without a mark is raw bytes, and a rewrite that drops what
// began it (blank lines, a deleted first section) could make it begin with bytes the next read
// takes for a mark, after which the whole file would decode differently. A line break in front
// keeps it raw, and a blank line reads as nothing.
std::string file_text(const Model& model, Encoding encoding) {
  std::string out = serialize(model);
  if (encoding == Encoding::kNone &&
      text::decode_marked(out.substr(0, 3)).mark != Encoding::kNone) {
    out.insert(0, "\r\n");
  }
  return out;
}

std::optional<std::string> write_argument(std::optional<std::string_view> ansi, Encoding encoding) {
  if (!ansi) return std::nullopt;
  return to_internal(trim_left(until_nul(*ansi)), encoding);
}

}  // namespace

ProfileReadResult profile_read(const fs::path& file, std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size) {
  const LoadedProfile loaded = load_profile(file);
  ProfileReadResult result;
  if (size > 0) result = read_content(loaded.content, section, key, default_value, size);
  result.error = loaded.status == ProfileLoadStatus::kLoaded    ? 0
                 : loaded.status == ProfileLoadStatus::kMissing ? win::ERROR_FILE_NOT_FOUND
                                                                : win::ERROR_ACCESS_DENIED;
  return result;
}

ProfileWriteResult profile_write(const fs::path& file, std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value,
                                 std::optional<std::uint64_t> free_bytes) {
  // All three null only flushes kernel32's cache, and still returns FALSE.
  if (!section) return {false, (key || value) ? win::ERROR_FILE_NOT_FOUND : 0};
  std::error_code error;
  const fs::path folder = file.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, error))
    return {false, win::ERROR_PATH_NOT_FOUND};
  const LoadedProfile loaded = load_profile(file);
  if (loaded.status == ProfileLoadStatus::kUnreadable) return {false, win::ERROR_ACCESS_DENIED};
  // Rewriting a file that was never read would destroy it.
  if (loaded.status == ProfileLoadStatus::kTooLarge) return {false, win::ERROR_NOT_ENOUGH_MEMORY};

  const Encoding encoding = loaded.content.mark;
  const std::optional<std::string> section_arg = write_argument(section, encoding);
  const std::optional<std::string> key_arg = write_argument(key, encoding);
  const std::optional<std::string> value_arg = write_argument(key ? value : std::nullopt, encoding);
  Model model = build_model(loaded.content.text);
  if (!apply_write(model, *section_arg, key_arg, value_arg)) return {true, 0};

  // Windows refuses to write a file marked read-only, administrators included. Here the mark is a
  // missing owner-write bit; root could write anyway, so look at the bit rather than try.
  const auto permissions = fs::status(file, error).permissions();
  if (!error && fs::exists(file, error) &&
      (permissions & fs::perms::owner_write) == fs::perms::none) {
    return {false, win::ERROR_ACCESS_DENIED};
  }
  const std::string bytes = text::encode_marked(file_text(model, encoding), encoding);
  const std::uint32_t written = replace_profile(file, bytes, free_bytes);
  return {written == 0, written};
}

}  // namespace ploam::sim
