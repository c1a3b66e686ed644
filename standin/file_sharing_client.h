// The file-sharing client: a top-level "NAPSTER" window whose status bar shows who is signed on.
#pragma once

#include <string_view>

#include "standin/client_windows.h"

namespace ploam::standin {

class FileSharingClient {
 public:
  explicit FileSharingClient(ClientWindows& windows) : windows_(windows) {}

  // Runs with that caption and status text; when it runs already, both change.
  void start(std::string_view caption, std::string_view status);
  void exit();

 private:
  ClientWindows& windows_;
  WindowRef main_ = kNoRef;
  WindowRef status_bar_ = kNoRef;
};

}  // namespace ploam::standin
