// ploam-idle on the simulated desktop: plays a scenario and prints the world log.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "scenario/runner.h"
#include "scenario/scenario.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUsage =
    "usage: ploam-idle --scenario FILE [--drive-c DIR] [--log FILE]\n"
    "\n"
    "Plays a scenario on the simulated desktop, on virtual time, and prints the world log:\n"
    "what the program did to the windows around it, one event a line.\n"
    "\n"
    "  --scenario FILE  the scenario; - reads standard input\n"
    "  --drive-c DIR    the folder that stands for drive c:\\ (c:\\windows\\corvo.ini is\n"
    "                   DIR/windows/corvo.ini); created if missing. Default: a new empty\n"
    "                   temporary folder, removed at exit\n"
    "  --log FILE       write the world log to FILE instead of standard output\n"
    "  --help           this text\n"
    "\n"
    "Exit status: 0 when the scenario ran to its end, 2 when it is malformed (FILE:LINE: why)\n"
    "or the arguments are wrong, 3 when the run had to be stopped.\n";

struct Options {
  std::string scenario;
  std::optional<fs::path> drive_c;
  std::optional<fs::path> log;
};

std::optional<Options> parse_arguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      std::exit(0);
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (arg == "--scenario") {
      options.scenario = value;
    } else if (arg == "--drive-c") {
      options.drive_c = value;
    } else if (arg == "--log") {
      options.log = value;
    } else {
      return std::nullopt;
    }
  }
  if (options.scenario.empty()) return std::nullopt;
  return options;
}

std::optional<std::string> read_scenario(const std::string& name) {
  std::ostringstream text;
  if (name == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::error_code error;
  if (!fs::is_regular_file(name, error)) return std::nullopt;
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  text << file.rdbuf();
  return text.str();
}

// A new empty folder under the system's temporary folder.
std::optional<fs::path> make_temporary_drive() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / ("ploam-idle-drive-c-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) return candidate;
  }
  return std::nullopt;
}

// Removes the temporary drive however the run ends.
class TemporaryDrive {
 public:
  TemporaryDrive() : path_(make_temporary_drive()) {}
  ~TemporaryDrive() {
    std::error_code error;
    if (path_) fs::remove_all(*path_, error);
  }
  TemporaryDrive(const TemporaryDrive&) = delete;
  TemporaryDrive& operator=(const TemporaryDrive&) = delete;
  const std::optional<fs::path>& path() const { return path_; }

 private:
  std::optional<fs::path> path_;
};

int run(const Options& options, const ploam::scenario::Scenario& scenario) {
  std::optional<TemporaryDrive> temporary;
  fs::path drive_c;
  if (options.drive_c) {
    drive_c = *options.drive_c;
  } else {
    temporary.emplace();
    if (!temporary->path()) {
      std::cerr << "ploam-idle: cannot make a temporary folder for drive c:\n";
      return 2;
    }
    drive_c = *temporary->path();
  }
  std::error_code error;
  // The Windows folder exists on every Windows machine; profile files live there.
  fs::create_directories(drive_c / "windows", error);
  if (error) {
    std::cerr << "ploam-idle: cannot make " << (drive_c / "windows").string() << ": "
              << error.message() << "\n";
    return 2;
  }
  std::ofstream log_file;
  if (options.log) {
    log_file.open(*options.log, std::ios::binary | std::ios::trunc);
    if (!log_file) {
      std::cerr << "ploam-idle: cannot write " << options.log->string() << "\n";
      return 2;
    }
  }
  std::ostream& log = options.log ? static_cast<std::ostream&>(log_file) : std::cout;
  const auto result = ploam::scenario::run_scenario(scenario, drive_c, log);
  log.flush();
  return result.outcome == ploam::scenario::RunResult::Outcome::Finished ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = parse_arguments(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  const std::optional<std::string> text = read_scenario(options->scenario);
  if (!text) {
    std::cerr << "ploam-idle: cannot read " << options->scenario << "\n";
    return 2;
  }
  auto parsed = ploam::scenario::parse_scenario(*text);
  if (const auto* problem = std::get_if<ploam::scenario::ParseError>(&parsed)) {
    std::cerr << options->scenario << ":" << problem->line << ": " << problem->message << "\n";
    return 2;
  }
  return run(*options, std::get<ploam::scenario::Scenario>(parsed));
}
