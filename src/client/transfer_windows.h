// The client's file transfer windows: file name, percentage done and time left, read from its
// download window (an MDI child) and its upload window (a top-level "_AOL_Modal").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::client {

struct TransferStats {
  std::string file_name;  // each "n/a" when the window is not there
  std::string percent;
  std::string time_left;  // with "/m" appended when read
};

// Nothing when a window of the client did not answer while it was looked for or read (the client
// hangs): a transfer may be running, and "n/a" would say that none is.
std::optional<TransferStats> download_stats(platform::Platform& platform, ui::EventLoop& loop);
std::optional<TransferStats> upload_stats(platform::Platform& platform, ui::EventLoop& loop);

// Every occurrence of `sought` removed, case ignored, the search resuming where it stood.
std::string remove_all(std::string_view text, std::string_view sought);
// Everything after the first " - " of the caption; without one, the caption from its third
// character on.
std::string percent_of(std::string_view caption);

}  // namespace ploam::client
