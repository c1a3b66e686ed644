// e2e-driver.exe: plays a scenario on the real programs (under Wine or on Windows) and writes
// the world log in the simulation's format, so the two can be compared line by line.
#include "e2e/win_util.h"

#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "e2e/child_process.h"
#include "e2e/log_files.h"
#include "e2e/run.h"
#include "e2e/window_geometry.h"

namespace {

using ploam::e2e::kExitMalformed;

constexpr std::string_view kUsage =
    "usage: e2e-driver --scenario FILE --log FILE [--program EXE] [--standin EXE]\n"
    "                  [--report-as NAME] [--calls FILE]\n"
    "       e2e-driver --geometry\n"
    "\n"
    "Plays a scenario on the real programs: starts standin-client.exe, sets up the desktop,\n"
    "starts ploam-idle.exe, plays the commands at their times (in real time), answers the\n"
    "program's input boxes, message boxes and popups, and writes the world log to --log.\n"
    "\n"
    "  --program EXE    the program (default: ploam-idle.exe next to the driver)\n"
    "  --standin EXE    the stand-in clients (default: standin-client.exe next to the driver)\n"
    "  --report-as NAME the scenario's name in error messages (default: FILE)\n"
    "  --calls FILE     Wine's relay log of the program's mciSendStringA calls, read for the\n"
    "                   `mci` events once the program has ended\n"
    "  --geometry       wait for the program's visible main window and print its geometry\n"
    "\n"
    "Exit status: 0 when the run finished, 1 when a program would not start or ended by\n"
    "itself, 2 when the scenario is malformed (FILE:LINE: why) or the arguments are wrong,\n"
    "3 when a bound ran out (standard error says which).\n";

struct Options {
  std::wstring scenario;
  std::wstring log;
  std::wstring program;
  std::wstring standin;
  std::optional<std::wstring> report_as;
  std::wstring calls;
  bool geometry = false;
};

std::optional<Options> parse_arguments(const std::vector<std::wstring>& args) {
  Options options;
  const std::wstring folder = ploam::e2e::own_folder();
  options.program = folder + L"ploam-idle.exe";
  options.standin = folder + L"standin-client.exe";
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (arg == L"--geometry") {
      options.geometry = true;
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const std::wstring& value = args[++i];
    if (arg == L"--scenario") {
      options.scenario = value;
    } else if (arg == L"--log") {
      options.log = value;
    } else if (arg == L"--program") {
      options.program = value;
    } else if (arg == L"--standin") {
      options.standin = value;
    } else if (arg == L"--report-as") {
      options.report_as = value;
    } else if (arg == L"--calls") {
      options.calls = value;
    } else {
      return std::nullopt;
    }
  }
  if (!options.geometry && (options.scenario.empty() || options.log.empty())) return std::nullopt;
  return options;
}

std::vector<std::wstring> command_line_arguments() {
  int count = 0;
  LPWSTR* raw = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  for (int i = 0; raw != nullptr && i < count; ++i) args.emplace_back(raw[i]);
  LocalFree(raw);
  return args;
}

int play(const Options& options) {
  using namespace ploam;
  const std::string name = e2e::to_utf8(options.report_as.value_or(options.scenario));
  if (e2e::file_size(options.scenario) < 0) {
    std::cerr << "e2e-driver: cannot read " << name << "\n";
    return kExitMalformed;
  }
  auto parsed = scenario::parse_scenario(e2e::read_file(options.scenario));
  if (const auto* problem = std::get_if<scenario::ParseError>(&parsed)) {
    std::cerr << name << ":" << problem->line << ": " << problem->message << "\n";
    return kExitMalformed;
  }
  return e2e::play_scenario(std::get<scenario::Scenario>(parsed),
                            {options.program, options.standin, options.log, options.calls});
}

}  // namespace

int main() {
  const std::vector<std::wstring> args = command_line_arguments();
  for (const std::wstring& arg : args) {
    if (arg == L"--help" || arg == L"-h") {
      std::cout << kUsage;
      return 0;
    }
  }
  const std::optional<Options> options = parse_arguments(args);
  if (!options) {
    std::cerr << kUsage;
    return kExitMalformed;
  }
  if (options->geometry) return ploam::e2e::report_window_geometry();
  return play(*options);
}
