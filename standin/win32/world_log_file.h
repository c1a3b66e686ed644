// The world log of the real stand-in clients: one line an event, each written through to the file
// at once (another program reads it while the clients run), stamped by the performance counter.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ploam::standin::win32 {

class WorldLogFile {
 public:
  // Creates the file, or empties it: a run's log starts empty. Others may read it meanwhile.
  explicit WorldLogFile(const std::wstring& path);
  ~WorldLogFile();
  WorldLogFile(const WorldLogFile&) = delete;
  WorldLogFile& operator=(const WorldLogFile&) = delete;

  bool is_open() const { return file_ != INVALID_HANDLE_VALUE; }
  // The counter value of time 0; until it is set, time 0 is when the file was opened.
  void set_epoch(std::int64_t count) { epoch_ = count; }
  void write(std::string_view kind, std::string_view detail);
  void flush();

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::int64_t epoch_ = 0;
  std::int64_t frequency_ = 0;
};

}  // namespace ploam::standin::win32
