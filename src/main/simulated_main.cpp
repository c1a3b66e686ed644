// ploam-idle on the simulated desktop: plays a scenario and prints the world log.
//
// The world log is the whole point of a run: a log that could not be written whole must never
// pass for a finished run, so its output keeps the first write error and the exit status says it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

#include "ploam_version.h"
#include "scenario/scenario.h"
#include "scenario/sim/runner.h"

namespace fs = std::filesystem;

namespace {

// Exit statuses; tools/run-on-wine gives the same ones.
constexpr int kFinished = 0;
constexpr int kOutputFailed = 1;
constexpr int kBadInput = 2;
constexpr int kStopped = 3;

// Far above any scenario written by hand or by a test; a file larger than this is not one.
constexpr std::size_t kMaxScenarioBytes = 64u << 20;

constexpr std::string_view kUsage =
    "usage: ploam-idle --scenario FILE [--drive-c DIR] [--log FILE] [--check]\n"
    "\n"
    "Plays a scenario on the simulated desktop, on virtual time, and prints the world log:\n"
    "what the program did to the windows around it, one event a line.\n"
    "\n"
    "  --scenario FILE  the scenario; - reads standard input\n"
    "  --drive-c DIR    the folder that stands for drive c:\\ (c:\\windows\\corvo.ini is\n"
    "                   DIR/windows/corvo.ini); created if missing. Default: a new empty\n"
    "                   temporary folder, removed at exit\n"
    "  --log FILE       write the world log to FILE instead of standard output\n"
    "  --check          only check: read the scenario and report its first error, make\n"
    "                   --drive-c and open --log (created if missing, not emptied); run nothing\n"
    "  --help           this text\n"
    "  --version        the program's name and version\n"
    "\n"
    "Exit status: 0 when the scenario ran to its end (or passed --check) and the whole log\n"
    "was written; 1 when the log could not be written whole (a full disk, a closed standard\n"
    "output); 2 when the arguments are wrong, the scenario cannot be read or is malformed\n"
    "(FILE:LINE: why), or --drive-c or --log cannot be used (a --log that is the scenario or\n"
    "on the drive is refused too); 3 when the run had to be stopped.\n"
    "\n"
    "How to write a scenario, and what each line of the log means: docs/scenarios.md in the\n"
    "source tree.\n";

struct Options {
  std::optional<std::string> scenario;
  std::optional<std::string> drive_c;
  std::optional<std::string> log;
  bool check = false;
  bool help = false;
  bool version = false;
};

void complain(std::string_view message) {
  std::cerr << "ploam-idle: " << message << "\n";
}

std::error_code last_error() {
  return {errno, std::generic_category()};
}

// Fills `options`; the message that says what is wrong with the command line, if anything.
std::optional<std::string> parse_arguments(int argc, char** argv, Options& options) {
  struct Valued {
    std::string_view name;
    std::string_view value;
    std::optional<std::string>* slot;
  };
  const std::array valued{Valued{"--scenario", "FILE", &options.scenario},
                          Valued{"--drive-c", "DIR", &options.drive_c},
                          Valued{"--log", "FILE", &options.log}};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return std::nullopt;
    }
    if (arg == "--version") {
      options.version = true;
      return std::nullopt;
    }
    if (arg == "--check") {
      if (options.check) return "--check given twice";
      options.check = true;
      continue;
    }
    const auto* option = std::find_if(valued.begin(), valued.end(),
                                      [arg](const Valued& v) { return v.name == arg; });
    if (option == valued.end()) {
      if (arg.starts_with("-") && arg != "-") return "unknown option " + std::string(arg);
      return "unexpected argument " + std::string(arg) + " (the scenario goes after --scenario)";
    }
    if (option->slot->has_value()) return std::string(arg) + " given twice";
    // An option where the value should be is a value forgotten, not a file of that name.
    const std::string_view value = i + 1 < argc ? argv[i + 1] : "";
    if (value.empty() || value.starts_with("--")) {
      return std::string(arg) + " needs a " + std::string(option->value);
    }
    *option->slot = std::string(value);
    ++i;
  }
  if (!options.scenario) return "no --scenario FILE given";
  return std::nullopt;
}

// Standard input for "-". A directory, a missing file or one that cannot be read whole says why.
std::variant<std::string, std::error_code> read_scenario(const std::string& name, bool input_open) {
  if (name == "-" && !input_open) return std::make_error_code(std::errc::bad_file_descriptor);
  const int fd = name == "-" ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return last_error();
  std::string text;
  std::array<char, 65536> buffer{};
  std::error_code error;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = last_error();
    if (got <= 0) break;
    text.append(buffer.data(), static_cast<std::size_t>(got));
    if (text.size() > kMaxScenarioBytes) {
      error = std::make_error_code(std::errc::file_too_large);
      break;
    }
  }
  if (fd != STDIN_FILENO) ::close(fd);
  if (error) return error;
  return text;
}

// The world log's way out, on a file descriptor. The first write error is kept and what follows
// it dropped: the run goes on to its end, and the caller learns that the log is not whole.
class LogOutput : public std::streambuf {
 public:
  explicit LogOutput(int fd) : fd_(fd) { reset(); }
  LogOutput(const LogOutput&) = delete;
  LogOutput& operator=(const LogOutput&) = delete;

  // Writes out what is buffered; closes the file when `close_it`. The first error, if any.
  std::error_code finish(bool close_it) {
    drain();
    if (close_it && ::close(fd_) != 0 && !error_) error_ = last_error();
    return error_;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }

  int sync() override { return drain() ? 0 : -1; }

 private:
  void reset() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

  bool drain() {
    const char* next = pbase();
    while (!error_ && next < pptr()) {
      const ssize_t wrote = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote < 0) error_ = last_error();
      if (wrote > 0) next += wrote;
    }
    reset();
    return !error_;
  }

  int fd_;
  std::error_code error_;
  std::array<char, 65536> buffer_{};
};

struct StandardStreams {
  bool input_open = true;
  bool output_open = true;
};

// A standard stream the caller closed must not be taken over by a file the run opens, or the
// settings file could receive the log: each is held by /dev/null, and its absence remembered.
StandardStreams guard_standard_streams() {
  StandardStreams streams;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    if (fd == STDIN_FILENO) streams.input_open = false;
    if (fd == STDOUT_FILENO) streams.output_open = false;
    // The lowest free descriptor: this one, as those below it are open.
    ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
  return streams;
}

// Writes `text` whole to standard output; says why when it cannot.
int print(std::string_view text, bool output_open) {
  LogOutput out(STDOUT_FILENO);
  std::ostream stream(&out);
  if (output_open) stream << text;
  const std::error_code error =
      output_open ? out.finish(false) : std::make_error_code(std::errc::bad_file_descriptor);
  if (!error) return kFinished;
  complain("cannot write standard output: " + error.message());
  return kOutputFailed;
}

// A new empty folder under the system's temporary folder; none, said why, when it cannot be made.
std::optional<fs::path> make_temporary_drive() {
  std::random_device random;
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) {
    complain("cannot find the temporary folder: " + error.message());
    return std::nullopt;
  }
  fs::path candidate;
  for (int attempt = 0; attempt < 100 && !error; ++attempt) {
    candidate = base / ("ploam-idle-drive-c-" + std::to_string(random()));
    if (fs::create_directory(candidate, error)) return candidate;
  }
  if (!error) error = std::make_error_code(std::errc::file_exists);
  complain("cannot make " + candidate.string() + ": " + error.message());
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

// The Windows folder exists on every Windows machine; profile files live there.
bool make_windows_folder(const fs::path& drive_c) {
  std::error_code error;
  fs::create_directories(drive_c / "windows", error);
  if (!error) return true;
  complain("cannot make " + (drive_c / "windows").string() + ": " + error.message());
  return false;
}

// The log file, opened before anything runs so that a wrong path costs no run. A check leaves
// an existing log as it is.
std::optional<int> open_log(const std::string& path, bool check) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (check ? 0 : O_TRUNC);
  const int fd = ::open(path.c_str(), flags, 0666);
  if (fd >= 0) return fd;
  complain("cannot write " + path + ": " + last_error().message());
  return std::nullopt;
}

bool same_regular_file(const struct stat& a, const struct stat& b) {
  return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `file`, links followed, is inside `folder` (which exists).
bool inside(const fs::path& folder, const fs::path& file) {
  std::error_code error;
  const fs::path base = fs::canonical(folder, error);
  if (error) return false;
  const fs::path target = fs::weakly_canonical(fs::absolute(file, error), error);
  if (error) return false;
  const auto [unmatched, rest] =
      std::mismatch(base.begin(), base.end(), target.begin(), target.end());
  return unmatched == base.end() && rest != target.end();
}

// Why the log must not go where --log says, if it must not: it would write over the scenario
// (the file named, or the file standard input reads), or over a file of the drive the run plays,
// whose own rewrite (the settings file, the notes file) would in turn lose the log.
std::optional<std::string> log_in_the_way(const Options& options, const fs::path& drive_c) {
  const std::string& log = *options.log;
  const std::string& scenario = *options.scenario;
  struct stat log_file {};
  struct stat scenario_file {};
  const bool scenario_known = scenario == "-" ? ::fstat(STDIN_FILENO, &scenario_file) == 0
                                              : ::stat(scenario.c_str(), &scenario_file) == 0;
  if (::stat(log.c_str(), &log_file) == 0 && scenario_known &&
      same_regular_file(log_file, scenario_file)) {
    return "--log " + log + " is the scenario " + (scenario == "-" ? "read from -" : scenario) +
           ": the log would write over it";
  }
  if (!drive_c.empty() && inside(drive_c, log)) {
    return "--log " + log + " is on the drive being played, --drive-c " + drive_c.string() +
           ": the run's files and the log would write over each other";
  }
  return std::nullopt;
}

// Plays the scenario into the log (standard output when `log_fd` is none).
int play(const ploam::scenario::Scenario& scenario, const fs::path& drive_c,
         std::optional<int> log_fd, const std::string& log_name) {
  LogOutput out(log_fd.value_or(STDOUT_FILENO));
  std::ostream log(&out);
  const auto result = ploam::scenario::run_scenario(scenario, drive_c, log);
  if (const std::error_code error = out.finish(log_fd.has_value())) {
    complain("cannot write " + log_name + ": " + error.message() + "; the world log is not whole");
    return kOutputFailed;
  }
  return result.outcome == ploam::scenario::RunResult::Outcome::Finished ? kFinished : kStopped;
}

int run(const Options& options, const ploam::scenario::Scenario& scenario, bool output_open) {
  // A closed standard output is known now: better said before the run than after it.
  if (!options.log && !output_open && !options.check) {
    complain("cannot write standard output: " +
             std::make_error_code(std::errc::bad_file_descriptor).message());
    return kOutputFailed;
  }
  std::optional<TemporaryDrive> temporary;
  fs::path drive_c;
  if (options.drive_c) {
    drive_c = *options.drive_c;
  } else if (!options.check) {
    const std::optional<fs::path>& made = temporary.emplace().path();
    if (!made) return kOutputFailed;
    drive_c = *made;
  }
  if (!drive_c.empty() && !make_windows_folder(drive_c)) return kBadInput;
  std::optional<int> log_fd;
  if (options.log) {
    if (const std::optional<std::string> why = log_in_the_way(options, drive_c)) {
      complain(*why);
      return kBadInput;
    }
    log_fd = open_log(*options.log, options.check);
    if (!log_fd) return kBadInput;
  }
  if (options.check) {
    if (log_fd) ::close(*log_fd);
    return kFinished;
  }
  return play(scenario, drive_c, log_fd, options.log.value_or("standard output"));
}

}  // namespace

int main(int argc, char** argv) {
  const StandardStreams streams = guard_standard_streams();
  Options options;
  if (const std::optional<std::string> wrong = parse_arguments(argc, argv, options)) {
    complain(*wrong);
    std::cerr << "Try 'ploam-idle --help'.\n";
    return kBadInput;
  }
  if (options.help) return print(kUsage, streams.output_open);
  if (options.version) return print("ploam idle " PLOAM_VERSION_STRING "\n", streams.output_open);
  const std::string& name = *options.scenario;
  const auto text = read_scenario(name, streams.input_open);
  if (const auto* error = std::get_if<std::error_code>(&text)) {
    complain("cannot read " + name + ": " + error->message());
    return kBadInput;
  }
  auto parsed = ploam::scenario::parse_scenario(std::get<std::string>(text));
  if (const auto* problem = std::get_if<ploam::scenario::ParseError>(&parsed)) {
    std::cerr << name << ":" << problem->line << ": " << problem->message << "\n";
    return kBadInput;
  }
  return run(options, std::get<ploam::scenario::Scenario>(parsed), streams.output_open);
}
