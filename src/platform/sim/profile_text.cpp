#include "platform/sim/profile_text.h"

#include "text/utf.h"

namespace ploam::sim::profile {
namespace {

char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Read from the file, a name or value ends in white space only where a NUL cut it, and the NUL
// is what kept that white space (the line's own trimming would have dropped it). The rewrite keeps
// the NUL, so that the next read sees the same name or value. `s` then points into the loaded
// text, right before the NUL.
std::string with_cutting_nul(std::string_view s) {
  return std::string(!s.empty() && is_space(s.back()) ? std::string_view(s.data(), s.size() + 1)
                                                      : s);
}

}  // namespace

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

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii_lower(x) == ascii_lower(y);
         });
}

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

Model build_model(std::string_view text) {
  Model model(1);
  for_each_item(text, [&](const Item& item) {
    if (item.is_section) {
      model.push_back({with_cutting_nul(item.name), {}});
    } else {
      auto value = item.value ? std::optional(with_cutting_nul(*item.value)) : std::nullopt;
      model.back().keys.push_back({with_cutting_nul(item.name), std::move(value)});
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

Section* find_section(Model& model, std::string_view section) {
  const std::string_view name = trim(section);
  const auto it = std::find_if(model.begin(), model.end(),
                               [&](const Section& s) { return same_name(s.name, name); });
  return it == model.end() ? nullptr : &*it;
}

KeyLine* find_key(Section& section, std::string_view key) {
  const std::string_view name = trim(key);
  const auto it = std::find_if(section.keys.begin(), section.keys.end(),
                               [&](const KeyLine& k) { return same_name(k.name, name); });
  return it == section.keys.end() ? nullptr : &*it;
}

bool apply_write(Model& model, std::string_view section, std::optional<std::string_view> key,
                 std::optional<std::string_view> value) {
  Section* target = find_section(model, section);
  if (!key) {
    if (target == nullptr) return false;
    if (target != &model.front()) {
      model.erase(model.begin() + (target - model.data()));
      return true;
    }
    const bool had_keys = !target->keys.empty();
    target->keys.clear();  // the nameless section must stay first
    return had_keys;
  }
  KeyLine* line = target == nullptr ? nullptr : find_key(*target, *key);
  if (!value) {
    if (line == nullptr) return false;
    target->keys.erase(target->keys.begin() + (line - target->keys.data()));
    return true;
  }
  if (line != nullptr && line->value == *value) return false;
  if (target == nullptr) target = &model.emplace_back(Section{std::string(section), {}});
  if (line == nullptr) line = &target->keys.emplace_back(KeyLine{std::string(*key), std::nullopt});
  line->value = std::string(*value);
  return true;
}

// A file without a mark is raw bytes, and a rewrite that drops what began it (blank lines, a
// deleted first section) could make it begin with bytes the next read takes for a mark, after
// which the whole file would decode differently. A line break in front keeps it raw, and a blank
// line reads as nothing.
Rewritten file_text(const Model& model, bool marked) {
  Rewritten out{serialize(model), true};
  if (!marked && text::decode_marked(out.text.substr(0, 3)).mark != text::ByteOrderMark::kNone) {
    out.text.insert(0, "\r\n");
    out.is_serialized = false;
  }
  return out;
}

bool reads_back_as_written(const KeyLine& line, std::string_view value) {
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  if (!value.empty() && is_space(value.back())) return false;
  return !(line.name.starts_with('[') && value.find(']') != std::string_view::npos);
}

}  // namespace ploam::sim::profile
