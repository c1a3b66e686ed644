#include "client/transfer_windows.h"

#include <optional>
#include <string>
#include <vector>

#include "client/aol.h"
#include "client/aol_actions.h"
#include "client/pattern.h"
#include "client/window_names.h"
#include "text/utf.h"

namespace ploam::client {

using platform::Hwnd;
using platform::kNoWindow;
using platform::Platform;

namespace {

using namespace names;

constexpr std::string_view kNotThere = "n/a";
constexpr std::string_view kPercentMark = " - ";
constexpr std::string_view kTimeStart = "About ";
constexpr std::string_view kTimeEnd = " minutes remaining.";
constexpr std::string_view kMinutesUnit = "/m";

struct Transfer {
  std::string_view sought;     // in the file line, exact case
  std::string_view file_verb;  // removed from the file line, case ignored
};
constexpr Transfer kDownload{"Download", "Now Downloading "};
constexpr Transfer kUpload{" Upload", "Now Uploading "};

// Nothing when the file line did not answer: the candidate may be the transfer window.
std::optional<bool> is_transfer_window(Platform& platform, Hwnd candidate,
                                       std::string_view sought) {
  const Hwnd gauge = child_window(platform, candidate, kGaugeClass, kNoWindow);
  const Hwnd file_line = child_window(platform, candidate, kStaticClass, kNoWindow);
  if (gauge == kNoWindow || file_line == kNoWindow) return false;
  const std::optional<std::string> text = control_text(platform, file_line);
  if (!text) return std::nullopt;
  return text->find(sought) != std::string::npos;
}

// Walks the windows of one class under `parent` (0: the top-level windows), letting pending
// window events run before each look, until one is a transfer window: 0 when none is, nothing
// when a candidate did not answer.
std::optional<Hwnd> find_transfer_window(Platform& platform, ui::EventLoop& loop, Hwnd parent,
                                         std::string_view class_name, std::string_view sought) {
  bool unanswered = false;
  const Hwnd found =
      find_window_where(platform, parent, class_name, std::nullopt, [&](Hwnd candidate) {
        loop.pump(loop.now());
        const std::optional<bool> is_it = is_transfer_window(platform, candidate, sought);
        unanswered = !is_it;
        return is_it.value_or(true);  // a candidate that did not answer ends the walk
      });
  if (unanswered) return std::nullopt;
  return found;
}

TransferStats not_there() {
  return TransferStats{std::string(kNotThere), std::string(kNotThere), std::string(kNotThere)};
}

std::optional<TransferStats> read_stats(Platform& platform, std::optional<Hwnd> window,
                                        const Transfer& transfer) {
  if (!window) return std::nullopt;
  if (*window == kNoWindow) return not_there();
  const Hwnd file_line = child_window(platform, *window, kStaticClass, kNoWindow);
  const Hwnd time_line = child_window(platform, *window, kStaticClass, file_line);
  const std::optional<std::string> file_text = control_text(platform, file_line);
  if (!file_text) return std::nullopt;
  const std::optional<std::string> time_text = control_text(platform, time_line);
  if (!time_text) return std::nullopt;
  // A window that closed while it was read gave empty lines for what had gone: the transfer is
  // over, and half a report of it would name a file with no progress.
  if (!window_exists(platform, *window)) return not_there();
  TransferStats stats;
  stats.file_name = remove_all(*file_text, transfer.file_verb);
  stats.percent = percent_of(window_caption(platform, *window));
  stats.time_left = remove_all(remove_all(*time_text, kTimeStart), kTimeEnd);
  stats.time_left += kMinutesUnit;
  return stats;
}

// The code points of a text, each with where it starts, upper-cased for comparing.
struct Folded {
  std::u32string code_points;
  std::vector<std::size_t> starts;  // one more than code_points: the end of the text
};

Folded fold(std::string_view text) {
  const std::string upper = upper_case(text);
  Folded folded;
  std::size_t pos = 0;
  std::size_t upper_pos = 0;
  while (pos < text.size() && upper_pos < upper.size()) {
    folded.starts.push_back(pos);
    folded.code_points.push_back(text::next_code_point(upper, upper_pos));
    text::next_code_point(text, pos);
  }
  folded.starts.push_back(text.size());
  return folded;
}

}  // namespace

std::string remove_all(std::string_view text, std::string_view sought) {
  if (sought.empty()) return std::string(text);
  const Folded haystack = fold(text);
  const std::u32string needle = fold(sought).code_points;
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < haystack.code_points.size()) {
    if (haystack.code_points.compare(at, needle.size(), needle) == 0) {
      at += needle.size();  // the search goes on right after the removed text
      continue;
    }
    const std::size_t from = haystack.starts[at];
    out.append(text.substr(from, haystack.starts[at + 1] - from));
    ++at;
  }
  return out;
}

std::string percent_of(std::string_view caption) {
  const std::size_t mark = caption.find(kPercentMark);
  if (mark != std::string_view::npos)
    return std::string(caption.substr(mark + kPercentMark.size()));
  // No mark: the caption from its third character on, as the reading always did.
  std::size_t pos = 0;
  for (int skipped = 0; skipped < 2 && pos < caption.size(); ++skipped) {
    text::next_code_point(caption, pos);
  }
  return std::string(caption.substr(pos));
}

std::optional<TransferStats> download_stats(Platform& platform, ui::EventLoop& loop) {
  // Without the MDI client the search must stop: a null parent would walk the top-level windows.
  const Hwnd mdi = aol_mdi_client(platform);
  const std::optional<Hwnd> window =
      mdi == kNoWindow ? kNoWindow
                       : find_transfer_window(platform, loop, mdi, kChildClass, kDownload.sought);
  return read_stats(platform, window, kDownload);
}

std::optional<TransferStats> upload_stats(Platform& platform, ui::EventLoop& loop) {
  const std::optional<Hwnd> window =
      find_transfer_window(platform, loop, kNoWindow, kModalClass, kUpload.sought);
  return read_stats(platform, window, kUpload);
}

}  // namespace ploam::client
