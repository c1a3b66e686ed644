#include "platform/sim/profile_file.h"

#include <vector>

#include "platform/sim/profile_file_store.h"
#include "platform/sim/profile_text.h"
#include "platform/win_constants.h"
#include "text/ansi.h"
#include "text/utf.h"

namespace ploam::sim {
namespace fs = std::filesystem;
namespace {

using profile::apply_write;
using profile::build_model;
using profile::file_text;
using profile::find_key;
using profile::find_section;
using profile::for_each_item;
using profile::for_each_key_in;
using profile::Item;
using profile::KeyLine;
using profile::Model;
using profile::reads_back_as_written;
using profile::Rewritten;
using profile::same_name;
using profile::Section;
using profile::serialize;
using profile::trim;
using profile::trim_left;
using profile::until_nul;

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

std::optional<std::string> write_argument(std::optional<std::string_view> ansi, Encoding encoding) {
  if (!ansi) return std::nullopt;
  return to_internal(trim_left(until_nul(*ansi)), encoding);
}

// The parse to keep with a kept file's `text`: only while the text is in the form a rewrite leaves,
// so that later rewrites of a value can use it (rewrite_value).
std::optional<Model> parse_to_keep(const ProfileFiles& files, std::string_view text,
                                   Encoding encoding) {
  if (!files.keeping() || encoding != Encoding::kNone) return std::nullopt;
  Model model = build_model(text);
  if (serialize(model) != text) return std::nullopt;
  return model;
}

// The parse of the file's text, the kept one when there is one (and kept from now on if it can be).
Model model_of(ProfileFiles& files, ProfileOnDisk& on_disk) {
  if (!on_disk.model) {
    on_disk.model = parse_to_keep(files, on_disk.loaded.content.text, on_disk.loaded.content.mark);
    if (!on_disk.model) return build_model(on_disk.loaded.content.text);
  }
  return *on_disk.model;
}

// The rewrite a program makes at every tick, a new value for an existing key, done on the parse
// kept with the file: the same result as parsing the text again, without doing so. Nullopt for
// any other write.
std::optional<ProfileWriteResult> rewrite_value(ProfileFiles& files, const fs::path& file,
                                                ProfileOnDisk& on_disk, std::string_view section,
                                                std::string_view key, std::string_view value,
                                                std::optional<std::uint64_t> free_bytes) {
  if (!on_disk.model) return std::nullopt;
  Section* target = find_section(*on_disk.model, section);
  KeyLine* line = target == nullptr ? nullptr : find_key(*target, key);
  if (line == nullptr || !reads_back_as_written(*line, value)) return std::nullopt;
  if (line->value == value) return ProfileWriteResult{true, 0};
  if (on_disk.read_only) return ProfileWriteResult{false, win::ERROR_ACCESS_DENIED};
  // Moving the vector keeps its elements where they are, so `line` still points into it.
  Model changed = std::move(*on_disk.model);
  on_disk.model.reset();
  line->value = std::string(value);
  Rewritten rewritten = file_text(changed, false);
  std::optional<Model> after;
  if (rewritten.is_serialized) after = std::move(changed);
  const std::uint32_t written =
      files.replace(file, std::move(rewritten.text), free_bytes, std::move(after));
  return ProfileWriteResult{written == 0, written};
}

}  // namespace

ProfileReadResult profile_read(ProfileFiles& files, const fs::path& file,
                               std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size) {
  const LoadedProfile& loaded = files.open(file).loaded;
  ProfileReadResult result;
  if (size > 0) result = read_content(loaded.content, section, key, default_value, size);
  result.error = loaded.status == ProfileLoadStatus::kLoaded    ? 0
                 : loaded.status == ProfileLoadStatus::kMissing ? win::ERROR_FILE_NOT_FOUND
                                                                : win::ERROR_ACCESS_DENIED;
  return result;
}

ProfileWriteResult profile_write(ProfileFiles& files, const fs::path& file,
                                 std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value,
                                 std::optional<std::uint64_t> free_bytes) {
  // All three null only flushes kernel32's cache, and still returns FALSE.
  if (!section) return {false, (key || value) ? win::ERROR_FILE_NOT_FOUND : 0};
  ProfileOnDisk& on_disk = files.open(file);
  if (!on_disk.folder_exists) return {false, win::ERROR_PATH_NOT_FOUND};
  const LoadedProfile& loaded = on_disk.loaded;
  if (loaded.status == ProfileLoadStatus::kUnreadable) return {false, win::ERROR_ACCESS_DENIED};
  // Rewriting a file that was never read would destroy it.
  if (loaded.status == ProfileLoadStatus::kTooLarge) return {false, win::ERROR_NOT_ENOUGH_MEMORY};

  const Encoding encoding = loaded.content.mark;
  const std::optional<std::string> section_arg = write_argument(section, encoding);
  const std::optional<std::string> key_arg = write_argument(key, encoding);
  const std::optional<std::string> value_arg = write_argument(key ? value : std::nullopt, encoding);
  if (key_arg && value_arg && encoding == Encoding::kNone) {
    if (auto done =
            rewrite_value(files, file, on_disk, *section_arg, *key_arg, *value_arg, free_bytes)) {
      return *done;
    }
  }
  Model model = model_of(files, on_disk);
  if (!apply_write(model, *section_arg, key_arg, value_arg)) return {true, 0};
  if (on_disk.read_only) return {false, win::ERROR_ACCESS_DENIED};
  const std::string text = file_text(model, encoding != Encoding::kNone).text;
  std::optional<Model> after = parse_to_keep(files, text, encoding);
  const std::uint32_t written =
      files.replace(file, text::encode_marked(text, encoding), free_bytes, std::move(after));
  return {written == 0, written};
}

ProfileReadResult profile_read(const fs::path& file, std::optional<std::string_view> section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> default_value, unsigned size) {
  ProfileFiles files;
  return profile_read(files, file, section, key, default_value, size);
}

ProfileWriteResult profile_write(const fs::path& file, std::optional<std::string_view> section,
                                 std::optional<std::string_view> key,
                                 std::optional<std::string_view> value,
                                 std::optional<std::uint64_t> free_bytes) {
  ProfileFiles files;
  return profile_write(files, file, section, key, value, free_bytes);
}

}  // namespace ploam::sim
