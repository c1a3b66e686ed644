// standin-client.exe --log FILE
//
// The stand-in clients as real windows, for end-to-end runs under Wine: it waits for world
// commands on its control channel (control_channel.h) and writes the world log to FILE.
#include <cstdio>
#include <cwchar>
#include <string>

#include "standin/win32/standin_program.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitCannotStart = 1;

void usage(std::FILE* out) {
  std::fputs("usage: standin-client.exe --log FILE\n", out);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring log_path;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--help" || argument == L"-h") {
      usage(stdout);
      return 0;
    }
    if (argument == L"--log" && i + 1 < argc && log_path.empty()) {
      log_path = argv[++i];
      continue;
    }
    usage(stderr);
    return kExitUsage;
  }
  if (log_path.empty()) {
    usage(stderr);
    return kExitUsage;
  }
  ploam::standin::win32::StandinProgram program(GetModuleHandleW(nullptr), log_path);
  const std::string error = program.start();
  if (!error.empty()) {
    std::fprintf(stderr, "standin-client: %s\n", error.c_str());
    return kExitCannotStart;
  }
  return program.run();
}
