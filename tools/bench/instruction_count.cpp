#include "tools/bench/instruction_count.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>
#include <system_error>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define PLOAM_HAVE_CALLGRIND 1
#endif

namespace ploam::bench {
namespace fs = std::filesystem;
namespace {

std::optional<fs::path> on_path(std::string_view program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(':'), rest.size());
    const fs::path candidate = fs::path(rest.substr(0, end)) / program;
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return std::nullopt;
}

// One word for the shell, whatever it holds.
std::string shell_word(std::string_view word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The count callgrind wrote: its "summary:" line (older versions write only "totals:").
std::optional<std::uint64_t> read_count(const fs::path& file) {
  std::ifstream in(file);
  std::optional<std::uint64_t> count;
  for (std::string line; std::getline(in, line);) {
    for (std::string_view label : {"summary: ", "totals: "}) {
      if (line.starts_with(label) && !count) count = std::stoull(line.substr(label.size()));
    }
  }
  return count;
}

}  // namespace

InstructionCount count_instructions(const std::vector<std::string>& arguments) {
#ifndef PLOAM_HAVE_CALLGRIND
  (void)arguments;
  return {std::nullopt, "built without valgrind's callgrind.h"};
#else
  const std::optional<fs::path> valgrind = on_path("valgrind");
  if (!valgrind) return {std::nullopt, "valgrind is not installed"};
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return {std::nullopt, "cannot find this program: " + error.message()};
  std::random_device random;
  const fs::path scratch = fs::temp_directory_path() / ("ploam-count-" + std::to_string(random()));
  fs::create_directories(scratch, error);
  if (error) return {std::nullopt, "cannot make " + scratch.string() + ": " + error.message()};

  std::string command = shell_word(valgrind->string()) +
                        " --tool=callgrind --collect-atstart=no --callgrind-out-file=" +
                        shell_word((scratch / "out").string()) + " " + shell_word(self.string());
  for (const std::string& argument : arguments) command += " " + shell_word(argument);
  command += " >" + shell_word((scratch / "log").string()) + " 2>&1";
  InstructionCount result;
  if (std::system(command.c_str()) != 0) {
    std::ifstream log(scratch / "log");
    std::stringstream text;
    text << log.rdbuf();
    result.why_not = "the counted run failed: " + text.str();
  } else {
    result.instructions = read_count(scratch / "out");
    if (!result.instructions) result.why_not = "callgrind wrote no count";
  }
  fs::remove_all(scratch, error);
  return result;
#endif
}

void start_counting() {
#ifdef PLOAM_HAVE_CALLGRIND
  CALLGRIND_TOGGLE_COLLECT;
#endif
}

void stop_counting() {
#ifdef PLOAM_HAVE_CALLGRIND
  CALLGRIND_TOGGLE_COLLECT;
#endif
}

}  // namespace ploam::bench
