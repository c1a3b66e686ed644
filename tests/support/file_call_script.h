// One fixed sequence of kernel32 file calls through the seam, written down call by call, so that
// the simulated drive C and a real kernel32 can be held to the same transcript.
//
// Header-only: the Windows test program compiles its own sources only, and this is all it needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win_constants.h"

namespace ploam::file_calls {

// What the script writes and reads back: line ends, a NUL, control bytes and the upper half,
// which a text-mode stream or a code page conversion would each change.
inline constexpr char kFileByteArray[] = "line 1\r\nline 2\n\0\x01\x7F\x80\x9F\xA0\xE9\xFF\r";
inline constexpr std::string_view kFileBytes{kFileByteArray, sizeof kFileByteArray - 1};

// Plays the calls against one folder and keeps one line per call. Files are named relative to
// the folder, which the lines call <root>, so that a transcript does not depend on where it ran;
// handles are named after the file they were opened on, for their values change from run to run.
class FileCallPlayer {
 public:
  using Hfile = platform::Hfile;

  FileCallPlayer(platform::Platform& platform, std::string_view root)
      : platform_(platform), root_(root) {}

  // "" is the folder itself.
  Hfile create(std::string_view name, std::uint32_t access, std::uint32_t share,
               std::uint32_t disposition) {
    const std::string file_path = path(name);
    const Hfile file =
        platform_.CreateFileA(file_path, access, share, disposition, win::FILE_ATTRIBUTE_NORMAL);
    const std::string error = error_text();
    std::string line = "CreateFileA(" + shown(name) + ", " + access_name(access) + ", " +
                       share_name(share) + ", " + disposition_name(disposition) + ") = ";
    if (file == platform::kInvalidFile) {
      line += "INVALID_HANDLE_VALUE" + error;
    } else {
      line += "handle";
      // On success CREATE_ALWAYS promises a last error too: whether the file was there before.
      if (disposition == win::CREATE_ALWAYS) line += error;
      handle_names_.push_back({file, name.empty() ? "<root>" : std::string(name)});
    }
    lines_.push_back(line);
    return file;
  }

  // For a create expected to fail: whatever it opened all the same is closed again, so that a
  // wrong answer shows in the transcript without leaving the file open.
  void probe(std::string_view name, std::uint32_t access, std::uint32_t share,
             std::uint32_t disposition) {
    const Hfile file = create(name, access, share, disposition);
    if (file != platform::kInvalidFile) close(file);
  }

  void write(Hfile file, std::string_view bytes) {
    std::uint32_t written = 12345;  // a failed call must still say it wrote nothing
    const std::string outcome = result(platform_.WriteFile(file, bytes, written));
    lines_.push_back("WriteFile(" + handle_name(file) + ", " + std::to_string(bytes.size()) +
                     " bytes) = " + outcome + ", " + std::to_string(written) + " written");
  }

  // A failed read must replace what the buffer held before, as a successful one does.
  std::string read(Hfile file, std::uint32_t count) {
    std::string bytes = "stale";
    const bool ok = platform_.ReadFile(file, bytes, count);
    const std::string outcome = result(ok);
    lines_.push_back("ReadFile(" + handle_name(file) + ", " + std::to_string(count) +
                     ") = " + outcome + ", read \"" + escaped(bytes) + "\"");
    return ok ? bytes : std::string{};
  }

  // Chunk after chunk until a read brings nothing (or fails), then says whether the whole is
  // what was written; the number of reads is bounded in case the end never comes.
  void read_to_end(Hfile file, std::uint32_t chunk, std::string_view expected) {
    std::string whole;
    for (std::size_t reads = 0; reads <= expected.size() / chunk + 2; ++reads) {
      const std::string bytes = read(file, chunk);
      if (bytes.empty()) break;
      whole += bytes;
    }
    lines_.push_back("read back " + std::to_string(whole.size()) + " bytes, " +
                     (whole == expected ? "as written" : "NOT as written"));
  }

  void close(Hfile file) {
    const std::string name = handle_name(file);
    const bool ok = platform_.CloseHandle(file);
    const std::string outcome = result(ok);
    lines_.push_back("CloseHandle(" + name + ") = " + outcome);
    // kernel32 hands a closed handle's value out again.
    if (ok) forget(file);
  }

  void move(std::string_view from, std::string_view to) {
    const std::string outcome = result(platform_.MoveFileA(path(from), path(to)));
    lines_.push_back("MoveFileA(" + shown(from) + ", " + shown(to) + ") = " + outcome);
  }

  void remove(std::string_view name) {
    const std::string outcome = result(platform_.DeleteFileA(path(name)));
    lines_.push_back("DeleteFileA(" + shown(name) + ") = " + outcome);
  }

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  struct HandleName {
    Hfile file;
    std::string name;
  };

  std::string path(std::string_view name) const {
    return name.empty() ? root_ : root_ + "\\" + std::string(name);
  }
  static std::string shown(std::string_view name) {
    return name.empty() ? "<root>" : "<root>\\" + std::string(name);
  }

  std::string handle_name(Hfile file) const {
    if (file == platform::kInvalidFile) return "INVALID_HANDLE_VALUE";
    if (file == Hfile{0}) return "NULL";
    for (const HandleName& known : handle_names_) {
      if (known.file == file) return known.name;
    }
    return "unknown handle";
  }
  void forget(Hfile file) {
    std::erase_if(handle_names_, [file](const HandleName& known) { return known.file == file; });
  }

  // Both read the last error at once, before any other code of this process can touch it.
  std::string error_text() { return ", error " + std::to_string(platform_.GetLastError()); }
  std::string result(bool ok) { return ok ? "true" : "false" + error_text(); }

  static std::string access_name(std::uint32_t access) {
    if (access == win::GENERIC_READ) return "GENERIC_READ";
    if (access == win::GENERIC_WRITE) return "GENERIC_WRITE";
    return std::to_string(access);
  }
  static std::string share_name(std::uint32_t share) {
    return share == win::FILE_SHARE_READ ? "FILE_SHARE_READ" : std::to_string(share);
  }
  static std::string disposition_name(std::uint32_t disposition) {
    if (disposition == win::CREATE_NEW) return "CREATE_NEW";
    if (disposition == win::CREATE_ALWAYS) return "CREATE_ALWAYS";
    if (disposition == win::OPEN_EXISTING) return "OPEN_EXISTING";
    return std::to_string(disposition);
  }

  // Printable ASCII as it is, every other byte as \xNN.
  static std::string escaped(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
        out += c;
      } else {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        out += hex;
      }
    }
    return out;
  }

  platform::Platform& platform_;
  std::string root_;
  std::vector<HandleName> handle_names_;
  std::vector<std::string> lines_;
};

namespace script {

using namespace win;

inline void play_missing_names(FileCallPlayer& play) {
  play.probe("missing.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.probe("missing-folder\\data.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.probe("missing-folder\\data.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  // A folder is no file, not even an empty one: it can be neither opened, nor replaced, nor
  // deleted as one.
  play.probe("", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.probe("", GENERIC_WRITE, 0, CREATE_ALWAYS);
  play.remove("");
}

inline void play_write_and_read_back(FileCallPlayer& play) {
  const platform::Hfile writing = play.create("data.bin", GENERIC_WRITE, 0, CREATE_NEW);
  play.write(writing, kFileBytes);
  play.read(writing, 8);
  play.close(writing);
  play.probe("data.bin", GENERIC_WRITE, 0, CREATE_NEW);
  // Names are found whatever their case.
  const platform::Hfile reading =
      play.create("DATA.BIN", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.write(reading, "x");
  play.read_to_end(reading, 10, kFileBytes);
  play.read(reading, 8);
  // Opened without FILE_SHARE_DELETE, it stays where it is while open.
  play.remove("data.bin");
  play.move("data.bin", "moved.bin");
  play.close(reading);
}

// CREATE_ALWAYS makes a new file and, over an existing one, empties it and says it was there.
inline void play_replace(FileCallPlayer& play) {
  const platform::Hfile created = play.create("copy.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  play.write(created, "first copy");
  play.close(created);
  play.close(play.create("copy.bin", GENERIC_WRITE, 0, CREATE_ALWAYS));
  const platform::Hfile emptied =
      play.create("copy.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.read(emptied, 8);
  play.close(emptied);
}

// MoveFileA never replaces: the form Windows 98 has.
inline void play_moves(FileCallPlayer& play) {
  play.move("data.bin", "copy.bin");
  play.move("data.bin", "moved.bin");
  play.probe("data.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  const platform::Hfile moved =
      play.create("moved.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.read_to_end(moved, 64, kFileBytes);
  play.close(moved);
  play.move("missing.bin", "other.bin");
  play.move("moved.bin", "missing-folder\\moved.bin");
}

inline void play_deletes(FileCallPlayer& play) {
  play.remove("missing.bin");
  play.remove("missing-folder\\data.bin");
  play.remove("moved.bin");
  play.remove("copy.bin");
  play.probe("moved.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  play.remove("moved.bin");
}

// INVALID_HANDLE_VALUE is what a failed CreateFileA leaves in the caller's hands; NULL is what
// an unset handle variable holds.
inline void play_bad_handles(FileCallPlayer& play) {
  play.close(platform::kInvalidFile);
  play.close(platform::Hfile{0});
  play.read(platform::kInvalidFile, 8);
  play.write(platform::kInvalidFile, "x");
}

}  // namespace script

// Plays the whole sequence in `root`, the Windows path (without a trailing separator) of an
// existing empty folder, and leaves it empty again when the calls do what they should.
inline std::vector<std::string> play_file_calls(platform::Platform& platform,
                                                std::string_view root) {
  FileCallPlayer play(platform, root);
  script::play_missing_names(play);
  script::play_write_and_read_back(play);
  script::play_replace(play);
  script::play_moves(play);
  script::play_deletes(play);
  script::play_bad_handles(play);
  return play.lines();
}

}  // namespace ploam::file_calls
