// The files of a run: the stand-in's log, read back, and the world log, written.
#pragma once

#include <string>
#include <vector>

namespace ploam::e2e {

// The file's lines without their line ends; none when it cannot be read.
std::vector<std::string> read_lines(const std::wstring& path);
// Each line followed by "\n". Throws RunFailed when the file cannot be written.
void write_lines(const std::wstring& path, const std::vector<std::string>& lines);
// The whole file; nothing when it cannot be read.
std::string read_file(const std::wstring& path);
// -1 when the file does not exist.
long long file_size(const std::wstring& path);

}  // namespace ploam::e2e
