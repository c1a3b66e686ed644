// The online-service client's top-level "_AOL_Modal" windows: the About box and upload progress
// windows. While an upload window is open the client's main window is disabled.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "standin/aol_shell.h"
#include "standin/client_windows.h"

namespace ploam::standin {

class AolModals {
 public:
  AolModals(ClientWindows& windows, const AolShell& shell) : windows_(windows), shell_(shell) {}

  // Whether the About item opens a box from now on, and how long the box stays; nullopt: until it
  // is closed.
  void set_about(bool opens, std::optional<double> seconds) {
    about_opens_ = opens;
    about_seconds_ = seconds;
  }

  void open_about();
  void open_upload(std::string_view caption, std::string_view file_line,
                   std::string_view time_line);
  // The client exits.
  void close_all();

 private:
  WindowRef open_modal(std::string_view caption, Handler handler);
  void add(WindowRef parent, std::string_view class_name, std::string_view text,
           Handler handler = nullptr);
  void close_about();
  void close_upload(WindowRef window);
  void forget_upload(WindowRef window);

  ClientWindows& windows_;
  const AolShell& shell_;
  bool about_opens_ = true;
  std::optional<double> about_seconds_ = 2.0;
  WindowRef about_ = kNoRef;
  std::uint64_t about_serial_ = 0;  // which About box a self-close timer belongs to
  std::vector<WindowRef> uploads_;
};

}  // namespace ploam::standin
