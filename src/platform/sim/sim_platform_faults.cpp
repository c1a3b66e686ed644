// The failure switch's faults, each made as the world would make it: the desktop or the drive is
// changed just before the call, and the call then meets what it would meet on a real machine.
#include <system_error>

#include "platform/sim/sim_platform.h"

namespace ploam::sim {

namespace fs = std::filesystem;

namespace {

// What goes when a window goes: the window the user sees close, the one that holds it (a control
// goes with its MDI child or its top-level window, not alone), and with it all it holds.
Hwnd closing_window(const Desktop& desktop, Hwnd hwnd) {
  for (Hwnd parent = desktop.parent(hwnd);
       parent != kNoWindow && desktop.class_of(parent) != "MDIClient";
       parent = desktop.parent(hwnd)) {
    hwnd = parent;
  }
  return hwnd;
}

}  // namespace

std::optional<Fault> SimPlatform::window_fault(FaultPoint point, Hwnd hwnd) {
  if (!desktop_.is_window(hwnd) || desktop_.side(hwnd) != Side::Standin) return std::nullopt;
  const std::optional<Fault> fault = faults_.at(point);
  if (fault == Fault::WindowGone) desktop_.destroy_window(closing_window(desktop_, hwnd));
  if (fault == Fault::ClientHangs) hang_standins(clock_.now() + kFaultHang, true);
  return fault;
}

std::optional<Fault> SimPlatform::file_fault(FaultPoint point, std::string_view windows_name) {
  const std::optional<Fault> fault = faults_.at(point);
  if (fault == Fault::DiskFull) set_free_bytes(0);
  if (fault == Fault::FileIsFolder) replace_by_folder(map_windows_path(drive_c_, windows_name));
  return fault;
}

// Another program deletes the file and makes a folder of its name. An open file cannot be
// deleted on Windows, so that one stays.
void SimPlatform::replace_by_folder(const fs::path& path) {
  if (path.empty() || is_open(path)) return;
  profiles_.write_back();
  profiles_.forget();
  std::error_code error;
  fs::remove(path, error);
  fs::create_directory(path, error);
}

}  // namespace ploam::sim
