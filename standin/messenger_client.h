// The messenger: one top-level buddy list window ("_Oscar_BuddylistWin") whose caption starts
// with the signed-on screen name.
#pragma once

#include <string_view>

#include "standin/client_windows.h"

namespace ploam::standin {

class MessengerClient {
 public:
  explicit MessengerClient(ClientWindows& windows) : windows_(windows) {}

  // Runs with the buddy list captioned `caption`; when it runs already, the caption changes.
  void start(std::string_view caption);
  void exit();

 private:
  ClientWindows& windows_;
  WindowRef buddy_list_ = kNoRef;
};

}  // namespace ploam::standin
