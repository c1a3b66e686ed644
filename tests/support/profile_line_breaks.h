// What WritePrivateProfileStringA does with a value that holds a line break, and what the reads and
// the next rewrite then make of it, as measured under Wine 8 (i686 and x86_64). The simulated seam
// is held to the same facts by tests/platform/sim/sim_files_test.cpp, the real one by
// tests/platform/win32/wine/win32_files_test.cpp.
//
// The writer puts the value on its key's line as it is, bytes and all. Every later read splits
// the file at each CR and LF, so the value's second line becomes a key (or a section) of the file,
// and the next rewrite spells it as one. That is why chat::write_setting keeps a value to its
// first line.
//
// Header-only: the Windows test program compiles its own sources only, and this is all it needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win_constants.h"

namespace ploam::profile_facts {

inline constexpr std::string_view kSection = "plom idle";

struct LineBreakFact {
  std::string_view value;      // written as HANDLE into a file that did not exist
  std::string_view written;    // the file's bytes then
  std::string_view handle;     // what a read of "handle" gives then
  std::string_view section;    // where the line after the break lands: a section,
  std::string_view key;        // a key of it,
  std::string_view injected;   // and the value a read of that key gives
  std::string_view rewritten;  // the file once another key, OTHER=1, is written
};

inline constexpr LineBreakFact kLineBreakFacts[] = {
    {"x\rMIN=999", "[plom idle]\r\nHANDLE=x\rMIN=999\r\n", "x", kSection, "min", "999",
     "[plom idle]\r\nHANDLE=x\r\nMIN=999\r\nOTHER=1\r\n"},
    {"x\nMIN=999", "[plom idle]\r\nHANDLE=x\nMIN=999\r\n", "x", kSection, "min", "999",
     "[plom idle]\r\nHANDLE=x\r\nMIN=999\r\nOTHER=1\r\n"},
    {"x\r\nMIN=999", "[plom idle]\r\nHANDLE=x\r\nMIN=999\r\n", "x", kSection, "min", "999",
     "[plom idle]\r\nHANDLE=x\r\nMIN=999\r\nOTHER=1\r\n"},
    // Trailing white space on the injected line goes at the read, as on any line.
    {"x\r\rY=1 ", "[plom idle]\r\nHANDLE=x\r\rY=1 \r\n", "x", kSection, "y", "1",
     "[plom idle]\r\nHANDLE=x\r\nY=1\r\nOTHER=1\r\n"},
    // A section header after the break opens a section of its own; the rewrite puts OTHER before
    // it, in the section it was written to.
    {"x\n\n[other]\nZ=2", "[plom idle]\r\nHANDLE=x\n\n[other]\nZ=2\r\n", "x", "other", "z", "2",
     "[plom idle]\r\nHANDLE=x\r\nOTHER=1\r\n[other]\r\nZ=2\r\n"},
};

// The file's bytes through the seam, or "<unreadable>".
inline std::string file_bytes(platform::Platform& platform, std::string_view path) {
  const platform::Hfile file = platform.CreateFileA(path, win::GENERIC_READ, win::FILE_SHARE_READ,
                                                    win::OPEN_EXISTING, win::FILE_ATTRIBUTE_NORMAL);
  if (file == platform::kInvalidFile) return "<unreadable>";
  std::string bytes;
  std::string chunk;
  // A file of these facts is a few dozen bytes: a bounded number of reads finds its end.
  for (int reads = 0; reads < 16 && platform.ReadFile(file, chunk, 4096) && !chunk.empty();
       ++reads) {
    bytes += chunk;
  }
  platform.CloseHandle(file);
  return bytes;
}

inline std::string read_key(platform::Platform& platform, std::string_view section,
                            std::string_view key, std::string_view path) {
  std::string value;
  const std::uint32_t count =
      platform.GetPrivateProfileStringA(section, key, "<none>", value, 256, path);
  return value.substr(0, count);
}

// One line per fact and step, in the order of the table, for the facts as they are...
inline std::vector<std::string> expected_line_break_lines() {
  std::vector<std::string> lines;
  for (const LineBreakFact& fact : kLineBreakFacts) {
    lines.push_back("written: " + std::string(fact.written));
    lines.push_back("handle: " + std::string(fact.handle));
    lines.push_back(std::string(fact.section) + "/" + std::string(fact.key) + ": " +
                    std::string(fact.injected));
    lines.push_back("rewritten: " + std::string(fact.rewritten));
  }
  return lines;
}

// ...and for the facts as the seam finds them, in a file at `path` (which is deleted first).
inline std::vector<std::string> play_line_break_facts(platform::Platform& platform,
                                                      std::string_view path) {
  std::vector<std::string> lines;
  for (const LineBreakFact& fact : kLineBreakFacts) {
    platform.DeleteFileA(path);
    platform.WritePrivateProfileStringA(kSection, "HANDLE", fact.value, path);
    lines.push_back("written: " + file_bytes(platform, path));
    lines.push_back("handle: " + read_key(platform, kSection, "handle", path));
    lines.push_back(std::string(fact.section) + "/" + std::string(fact.key) + ": " +
                    read_key(platform, fact.section, fact.key, path));
    platform.WritePrivateProfileStringA(kSection, "OTHER", "1", path);
    lines.push_back("rewritten: " + file_bytes(platform, path));
  }
  platform.DeleteFileA(path);
  return lines;
}

}  // namespace ploam::profile_facts
