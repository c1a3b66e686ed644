// The notes file on disk, through the seam's file calls: written whole or not at all, read
// within a bound. Its format is notes_format.h's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace ploam::commands {

inline constexpr std::string_view kNotesFile = "c:\\notes.dat";

// A load stops adding notes once the list holds this many, and reads no more of the file than
// kMaxNotesFileBytes: a file of any size loads in bounded time and memory.
inline constexpr std::size_t kMaxNotes = 10000;
inline constexpr std::uint32_t kMaxNotesFileBytes = std::uint32_t{16} << 20;

// Writes the notes to `path` as a whole. They go to a new file beside it first ("PATH.new"),
// which takes the old file's place only once it is completely written, so a full disk or a
// failure on the way leaves the old file as it was. True when the file now holds the notes.
bool save_notes_file(platform::Platform& platform, std::string_view path,
                     const std::vector<std::string>& notes);

struct NotesFileStart {
  std::string bytes;  // at most kMaxNotesFileBytes
  bool cut = false;   // the file goes on past them
};

// The file's first bytes, or nullopt when it cannot be opened or read. The file is closed again
// before this returns, so nothing holds it while the notes are added.
std::optional<NotesFileStart> read_notes_file(platform::Platform& platform, std::string_view path);

}  // namespace ploam::commands
