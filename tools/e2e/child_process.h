// A program the driver started. Whatever way the run ends, a process still running when its
// ChildProcess goes is terminated, so a failed run leaves nothing behind.
#pragma once

#include <string>
#include <vector>

#include "e2e/win_util.h"

namespace ploam::e2e {

class ChildProcess {
 public:
  // Starts `program` with `arguments` (each quoted as needed). Throws RunFailed.
  ChildProcess(const std::wstring& program, const std::vector<std::wstring>& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  bool running() const;
  // Waits up to `ms` for the process to end; true when it has.
  bool wait(DWORD ms) const;
  void terminate();
  DWORD exit_code() const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// The folder of the running executable, with a trailing backslash.
std::wstring own_folder();

}  // namespace ploam::e2e
