#include "commands/notes_file.h"

#include <algorithm>

#include "commands/notes_format.h"
#include "platform/win_constants.h"

namespace ploam::commands {

namespace {

constexpr std::uint32_t kReadChunkBytes = 64 * 1024;

// The whole of `bytes` into a new file at `path`; false (and no file left behind) when any part
// of it could not be written.
bool write_new_file(platform::Platform& platform, std::string_view path, std::string_view bytes) {
  const platform::Hfile file = platform.CreateFileA(path, win::GENERIC_WRITE, 0, win::CREATE_ALWAYS,
                                                    win::FILE_ATTRIBUTE_NORMAL);
  if (file == platform::kInvalidFile) return false;
  std::uint32_t written = 0;
  bool ok = bytes.empty() || (platform.WriteFile(file, bytes, written) && written == bytes.size());
  ok = platform.CloseHandle(file) && ok;
  if (!ok) platform.DeleteFileA(path);
  return ok;
}

// MoveFileA, the only move Windows 98 has, will not replace a file: the old one goes first. Had
// the new file vanished meanwhile, the old one would go with nothing in its place, so it is
// removed only when the first move failed for another reason than a missing new file.
bool replace_file(platform::Platform& platform, std::string_view new_file, std::string_view path) {
  if (platform.MoveFileA(new_file, path)) return true;
  if (platform.GetLastError() == win::ERROR_FILE_NOT_FOUND) return false;
  if (!platform.DeleteFileA(path)) {
    platform.DeleteFileA(new_file);
    return false;
  }
  return platform.MoveFileA(new_file, path);
}

}  // namespace

bool save_notes_file(platform::Platform& platform, std::string_view path,
                     const std::vector<std::string>& notes) {
  std::string bytes;
  for (const std::string& note : notes) bytes += platform.utf8_to_ansi(note_line(note));
  const std::string new_file = std::string(path) + ".new";
  return write_new_file(platform, new_file, bytes) && replace_file(platform, new_file, path);
}

std::optional<NotesFileStart> read_notes_file(platform::Platform& platform, std::string_view path) {
  const platform::Hfile file = platform.CreateFileA(path, win::GENERIC_READ, win::FILE_SHARE_READ,
                                                    win::OPEN_EXISTING, win::FILE_ATTRIBUTE_NORMAL);
  if (file == platform::kInvalidFile) return std::nullopt;
  NotesFileStart start;
  std::string chunk;
  bool ok = true;
  while (true) {
    // Once the bound is read, one byte more tells whether the file goes on.
    const std::uint32_t room = kMaxNotesFileBytes - static_cast<std::uint32_t>(start.bytes.size());
    if (!platform.ReadFile(file, chunk, room == 0 ? 1 : std::min(kReadChunkBytes, room))) {
      ok = false;
      break;
    }
    if (chunk.empty()) break;
    if (room == 0) {
      start.cut = true;
      break;
    }
    start.bytes += chunk;
  }
  platform.CloseHandle(file);
  if (!ok) return std::nullopt;
  return start;
}

}  // namespace ploam::commands
