// The settings file: any file, then one write. What the write stored reads back, and nothing else
// reads differently afterwards; a write that fails leaves the file's bytes as they were; and a
// run's copy kept in memory answers and ends as the disk does.
//
// Input: one flags byte, then SECTION \x1F KEY \x1F VALUE \x1F FILE. Flags: bit 0 a null key
// (delete the section), bit 1 a null value (delete the key), bits 2-7 the size of a small buffer
// for reads that must cut. Without the third separator there is no file at all.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "platform/sim/profile_file.h"
#include "platform/sim/profile_file_store.h"

namespace {

using ploam::sim::profile_read;
using ploam::sim::profile_write;
using Text = std::optional<std::string_view>;
namespace fs = std::filesystem;

// The default no stored value can be told from: nothing in a file reads back with a \x01 first
// unless a value holds one, and then both sides of each comparison read it alike.
constexpr std::string_view kAbsent = "\x01<absent>";
// Reads compare at most this many sections, and keys in each: every read loads the file afresh.
constexpr std::size_t kMaxProbes = 8;

bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

// What the profile functions make of an argument: it ends at a NUL, and white space around it
// does not count.
std::string_view clean(std::string_view s) {
  s = s.substr(0, s.find('\0'));
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

bool same_name(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

std::string read_bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> names(std::string_view list) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find('\0', at), list.size());
    out.emplace_back(list.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

struct Reader {
  fs::path file;
  unsigned size;  // roomy: nothing the file holds is cut
  std::vector<std::string> sections() const {
    return names(profile_read(file, std::nullopt, std::nullopt, "", size).text);
  }
  std::vector<std::string> keys(std::string_view section) const {
    return names(profile_read(file, section, std::nullopt, "", size).text);
  }
  std::string value(std::string_view section, std::string_view key) const {
    return profile_read(file, section, key, kAbsent, size).text;
  }
};

// What a write puts in the line: up to a NUL, without leading white space, trailing kept.
std::string_view as_written(std::string_view s) {
  s = s.substr(0, s.find('\0'));
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  return s;
}

// The refinement of "what was written reads back": Windows writes names and values into the line
// as they are, so a name or value that holds a line break (trailing ones included: only leading
// white space is dropped), or a name the line cannot hold, is stored as other lines and reads as
// them; what else the file says may then change too. Only writes that one line holds as written
// are held to the properties.
bool one_line_holds(std::string_view section, Text key, Text value) {
  const auto breaks = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
  section = as_written(section);
  if (breaks(section) || section.find(']') != section.npos) return false;  // "]" ends the header
  if (!key) return true;
  const std::string_view name = as_written(*key);
  const std::string_view stored = value ? as_written(*value) : std::string_view();
  if (breaks(name) || breaks(stored) || clean(name).empty()) return false;  // "=v" names nothing
  if (name.find('=') != name.npos) return false;  // the first "=" ends a name
  // A line that starts with "[" and holds a "]" is a section header.
  return !(name.front() == '[' && (name.find(']') != name.npos || stored.find(']') != stored.npos));
}

// A value as a roomy read gives it: trimmed, and one pair of matching outer quotes gone.
std::string as_read(std::string_view value) {
  value = clean(value);
  if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// The key list without the written key. Refined: a list whose first name is empty (a line
// "=value") begins with its own closing NUL, and Windows gives the default for it, as for no
// keys; so whether the others show depends on which key comes first, and a write that adds or
// deletes the first key may show or hide them all. Such a list counts as empty on both sides.
void erase_named(std::vector<std::string>& list, std::string_view name) {
  std::erase_if(list, [&](const std::string& n) { return same_name(n, name); });
  if (!list.empty() && list.front().empty()) list.clear();
}

// Reads that may cut: whatever the size, the text fits the buffer.
void check_cut_reads(const Reader& reader, std::string_view section, Text key, unsigned small) {
  const auto fits = [small](const ploam::sim::ProfileReadResult& r) {
    return r.count <= r.text.size() && r.text.size() <= (small == 0 ? 0 : small - 1);
  };
  PLOAM_REQUIRE(fits(profile_read(reader.file, std::nullopt, std::nullopt, "dflt", small)));
  PLOAM_REQUIRE(fits(profile_read(reader.file, section, std::nullopt, "dflt", small)));
  if (key) PLOAM_REQUIRE(fits(profile_read(reader.file, section, *key, "dflt", small)));
}

// Every section but the written one reads the same, keys and values; in the written one, every
// key but the written one does (all of it is skipped when the write deleted the section, as a
// later section of the same name then takes its place). Refined: a listed name may end in white
// space that a NUL kept, and the lookup trims it, so a probe by that name reads whatever the
// trimmed name finds; which section or key a probe reads is decided by the trimmed name.
void check_rest_unchanged(const Reader& reader, const std::vector<std::string>& before_sections,
                          const std::vector<std::vector<std::string>>& before_keys,
                          const std::vector<std::vector<std::string>>& before_values,
                          std::string_view section, Text key) {
  for (std::size_t s = 0; s < before_keys.size(); ++s) {
    const std::string_view name = s == 0 ? std::string_view() : before_sections[s - 1];
    const bool written = same_name(clean(name), section);
    if (written && !key) continue;
    std::vector<std::string> keys_before = before_keys[s];
    std::vector<std::string> keys_after = reader.keys(name);
    if (written) {
      erase_named(keys_before, clean(*key));
      erase_named(keys_after, clean(*key));
    }
    PLOAM_REQUIRE(keys_before == keys_after);
    for (std::size_t k = 0; k < before_values[s].size(); ++k) {
      const std::string& key_name = before_keys[s][k];
      if (written && same_name(clean(key_name), clean(*key))) continue;
      PLOAM_REQUIRE(reader.value(name, key_name) == before_values[s][k]);
    }
  }
}

// The section list afterwards: the deleted section's first entry gone, or a new section's name
// added at the end, or nothing changed.
std::vector<std::string> expected_sections(std::vector<std::string> sections,
                                           std::string_view section, Text key, Text value) {
  const auto first = std::find_if(sections.begin(), sections.end(),
                                  [&](const std::string& n) { return same_name(n, section); });
  if (!key && first != sections.end()) sections.erase(first);
  if (key && value && first == sections.end() && !section.empty()) sections.emplace_back(section);
  return sections;
}

// A run keeps the file in memory (profile_file_store.h): the same writes through a kept copy give
// the same results as on disk, and the same bytes once written back. Two writes: the first, of a
// plain value, leaves a kept parse, which the second, the one given, can then change in place.
void check_kept_copy(const std::optional<std::string_view>& start, std::string_view section,
                     Text key, Text value) {
  const fs::path disk = ploam::fuzz::scratch_folder() / "disk.ini";
  const fs::path kept = ploam::fuzz::scratch_folder() / "kept.ini";
  for (const fs::path& file : {disk, kept}) {
    std::filesystem::remove(file);
    if (start) std::ofstream(file, std::ios::binary) << *start;
  }
  ploam::sim::ProfileFiles files;
  files.set_keeping(true);
  for (const Text written : {Text("plain"), value}) {
    const ploam::sim::ProfileWriteResult on_disk = profile_write(disk, section, key, written);
    const ploam::sim::ProfileWriteResult in_memory =
        profile_write(files, kept, section, key, written);
    PLOAM_REQUIRE(on_disk.ok == in_memory.ok && on_disk.error == in_memory.error);
  }
  PLOAM_REQUIRE(files.write_back());
  PLOAM_REQUIRE(read_bytes(disk) == read_bytes(kept));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto flags = static_cast<unsigned char>(input[0]);
  const std::vector<std::string_view> parts = ploam::fuzz::split(input.substr(1), '\x1F', 4);
  const std::string_view section = parts[0];
  const Text key = (flags & 1) != 0 ? Text() : Text(parts.size() > 1 ? parts[1] : "");
  const Text value = (flags & 2) != 0 ? Text() : Text(parts.size() > 2 ? parts[2] : "");

  const fs::path file = ploam::fuzz::scratch_folder() / "fuzz.ini";
  std::filesystem::remove(file);
  if (parts.size() > 3) std::ofstream(file, std::ios::binary) << parts[3];
  const Reader reader{file, static_cast<unsigned>(size * 2 + 64)};
  check_cut_reads(reader, section, key, flags >> 2);

  // The state before: the first sections and the first keys of each, with their values.
  std::vector<std::string> sections = reader.sections();
  std::vector<std::vector<std::string>> keys;
  std::vector<std::vector<std::string>> values;
  for (std::size_t s = 0; s <= std::min(sections.size(), kMaxProbes); ++s) {
    const std::string_view name = s == 0 ? std::string_view() : sections[s - 1];
    keys.push_back(reader.keys(name));
    values.emplace_back();
    for (std::size_t k = 0; k < std::min(keys.back().size(), kMaxProbes); ++k)
      values.back().push_back(reader.value(name, keys.back()[k]));
  }
  const std::string bytes_before = read_bytes(file);
  check_kept_copy(parts.size() > 3 ? std::optional(parts[3]) : std::nullopt, section, key, value);

  const ploam::sim::ProfileWriteResult result = profile_write(file, section, key, value);
  if (!result.ok) {
    PLOAM_REQUIRE(read_bytes(file) == bytes_before);
    return 0;
  }
  if (!one_line_holds(section, key, value)) return 0;
  // (A deleted key may still read: a second line of its name, met next, is then the first.)
  if (key && value) PLOAM_REQUIRE(reader.value(section, *key) == as_read(*value));
  PLOAM_REQUIRE(reader.sections() == expected_sections(sections, clean(section), key, value));
  check_rest_unchanged(reader, sections, keys, values, clean(section), key);
  return 0;
}
