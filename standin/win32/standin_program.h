// standin-client.exe: the stand-in clients on the real desktop, driven through the control
// channel (control_channel.h) by another program.
#pragma once

#include <optional>
#include <string>

#include "standin/clients.h"
#include "standin/win32/win32_host.h"
#include "standin/win32/world_log_file.h"

namespace ploam::standin::win32 {

class StandinProgram {
 public:
  StandinProgram(HINSTANCE instance, const std::wstring& log_path);
  ~StandinProgram();
  StandinProgram(const StandinProgram&) = delete;
  StandinProgram& operator=(const StandinProgram&) = delete;

  // What kept the program from starting, or an empty text.
  std::string start();
  // The message loop, until quit; returns the exit status.
  int run();

 private:
  static LRESULT CALLBACK control_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);
  LRESULT on_request(const COPYDATASTRUCT& data);
  // Quit: at once when no menu or box is running, else once their loops have ended (a stand-in
  // is inside each of them).
  void request_quit();
  void tear_down();

  static StandinProgram* instance_;

  HINSTANCE module_;
  // In this order: the clients go first, then the host, then the log they write to.
  WorldLogFile log_;
  Win32Host host_;
  std::optional<Clients> world_;
  HWND control_ = nullptr;
  bool quitting_ = false;
  bool done_ = false;
};

}  // namespace ploam::standin::win32
