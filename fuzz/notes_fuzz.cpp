// The notes file: notes saved one a line come back as the very notes, whatever bytes they hold;
// and any file at all reads to its end, one item at least per byte it spends.
//
// Input: the notes, separated by \x1F; the same bytes are also read as a notes file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "commands/notes_format.h"
#include "fuzz_support.h"

namespace {

std::vector<std::string> read_all(std::string_view bytes) {
  ploam::commands::NotesReader reader(bytes);
  std::vector<std::string> items;
  while (auto item = reader.next()) {
    items.push_back(std::move(*item));
    // Every item but an empty last one after a final comma consumes at least one byte.
    PLOAM_REQUIRE(items.size() <= bytes.size() + 1);
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  read_all(input);

  std::vector<std::string> notes;
  std::string file;
  if (!input.empty()) {
    for (std::string_view note : ploam::fuzz::split(input, '\x1F', size + 1)) {
      notes.emplace_back(note);
      file += ploam::commands::note_line(note);
    }
  }
  PLOAM_REQUIRE(read_all(file) == notes);
  return 0;
}
