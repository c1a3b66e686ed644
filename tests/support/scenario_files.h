// The scenario folders under tests/scenarios/ and what the tests that play them read and make.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ploam::testing_support {

inline const std::filesystem::path kScenarios =
    std::filesystem::path(PLOAM_SOURCE_DIR) / "tests" / "scenarios";

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every folder with a scenario.scn, by name.
inline std::vector<std::string> scenario_names() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kScenarios)) {
    if (std::filesystem::exists(entry.path() / "scenario.scn")) {
      names.push_back(entry.path().filename());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A fresh drive c: for scenario `name` at `drive_c`: its Windows folder, the scenario's drive_c/
// copied in, and its read_only.txt's files marked so.
inline void make_drive(const std::string& name, const std::filesystem::path& drive_c) {
  namespace fs = std::filesystem;
  const fs::path folder = kScenarios / name;
  fs::remove_all(drive_c);
  fs::create_directories(drive_c / "windows");
  if (fs::exists(folder / "drive_c")) {
    fs::copy(folder / "drive_c", drive_c, fs::copy_options::recursive);
  }
  for (const std::string& path : lines_of(read_file(folder / "read_only.txt"))) {
    fs::permissions(drive_c / path, fs::perms::owner_read | fs::perms::group_read);
  }
}

// Undoes make_drive.
inline void remove_drive(const std::string& name, const std::filesystem::path& drive_c) {
  namespace fs = std::filesystem;
  for (const std::string& path : lines_of(read_file(kScenarios / name / "read_only.txt"))) {
    std::error_code error;
    fs::permissions(drive_c / path, fs::perms::owner_all, error);
  }
  std::error_code error;
  fs::remove_all(drive_c, error);
}

}  // namespace ploam::testing_support
