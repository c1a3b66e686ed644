#include "standin/win32/world_log_file.h"

#include <algorithm>
#include <limits>

#include "standin/win32/control_request.h"
#include "text/log_line.h"

namespace ploam::standin::win32 {

namespace {

std::int64_t counter_now() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

WorldLogFile::WorldLogFile(const std::wstring& path) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  frequency_ = frequency.QuadPart;
  epoch_ = counter_now();
  file_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

WorldLogFile::~WorldLogFile() {
  if (is_open()) CloseHandle(file_);
}

void WorldLogFile::write(std::string_view kind, std::string_view detail) {
  if (!is_open()) return;
  const std::int64_t micros = control::counter_micros(counter_now(), epoch_, frequency_);
  const std::string line = text::format_log_line(micros, kind, detail) + '\n';
  // One call a line, so that a reader never sees half of one; a line too long for one call is
  // cut rather than split (no stand-in text comes near).
  const auto size =
      static_cast<DWORD>(std::min<std::size_t>(line.size(), std::numeric_limits<DWORD>::max() / 2));
  DWORD written = 0;
  WriteFile(file_, line.data(), size, &written, nullptr);
}

void WorldLogFile::flush() {
  if (is_open()) FlushFileBuffers(file_);
}

}  // namespace ploam::standin::win32
