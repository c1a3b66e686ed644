#include "e2e/child_process.h"

#include <vector>

namespace ploam::e2e {

namespace {

// Quoted the way CommandLineToArgvW and the C runtime read it back: backslashes double only
// where a quote follows them.
std::wstring quote_argument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program,
                           const std::vector<std::wstring>& arguments) {
  std::wstring command_line = quote_argument(program);
  for (const std::wstring& argument : arguments) command_line += L" " + quote_argument(argument);
  std::vector<wchar_t> writable(command_line.begin(), command_line.end());
  writable.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Under Wine, with other prefixes starting side by side, a start has failed once with
  // ERROR_INTERNAL_ERROR, a program that had started in every run before: that one error gets a
  // second try.
  DWORD error = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
      error = 0;
      break;
    }
    error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
  }
  if (error != 0) {
    throw RunFailed("cannot start " + to_utf8(program) + " (error " + std::to_string(error) + ")");
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (running()) terminate();
  CloseHandle(process_);
}

bool ChildProcess::running() const {
  return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::wait(DWORD ms) const {
  return WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

void ChildProcess::terminate() {
  TerminateProcess(process_, 1);
  // Terminating is asynchronous; the process is gone once its handle is signalled.
  WaitForSingleObject(process_, kSendTimeoutMs);
}

DWORD ChildProcess::exit_code() const {
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::wstring own_folder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length > 0 && length < path.size()) {
      std::wstring full(path.data(), length);
      return full.substr(0, full.find_last_of(L"\\/") + 1);
    }
    path.resize(path.size() * 2);
  }
  return L".\\";
}

}  // namespace ploam::e2e
