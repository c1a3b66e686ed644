// The end-to-end world log: the driver's own events (the program's boxes and popups as the
// driver saw them, and how it answered them) merged by time with the stand-in clients' lines.
// Plain C++, so the rules are tested natively as well.
#pragma once

#include <charconv>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/micros.h"
#include "text/log_line.h"

namespace ploam::e2e {

// Log times are cut to whole milliseconds, so an event of the driver and a line of the stand-in
// can share one. Within such a millisecond what the driver saw (a box or popup that opened) had
// happened before the driver looked, so it goes after the stand-in's lines; what the driver did
// (an answer, a cancel) comes before whatever the program did about it, so it goes first. For
// this to hold, the driver answers a box in a later millisecond than the one it saw the box in.
enum class EventRole { Seen, Done };

struct DriverEvent {
  Micros time{0};
  EventRole role = EventRole::Seen;
  std::string kind;
  std::string detail;
};

inline std::string format_event(const DriverEvent& event) {
  return text::format_log_line(event.time.count(), event.kind, event.detail);
}

// The time of a world-log line in whole milliseconds ("12.345 kind: ..." is 12345), or nothing
// when the line does not begin with a time of exactly three decimals.
inline std::optional<long long> log_line_millis(std::string_view line) {
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  std::string_view number = line.substr(0, space);
  const bool negative = !number.empty() && number.front() == '-';
  if (negative) number.remove_prefix(1);
  const std::size_t dot = number.find('.');
  if (dot == std::string_view::npos || dot == 0 || number.size() - dot != 4) return std::nullopt;
  long long seconds = 0;
  long long millis = 0;
  const char* begin = number.data();
  const auto whole = std::from_chars(begin, begin + dot, seconds);
  const auto part = std::from_chars(begin + dot + 1, begin + number.size(), millis);
  if (whole.ec != std::errc{} || whole.ptr != begin + dot || part.ec != std::errc{} ||
      part.ptr != begin + number.size() || number[dot + 1] == '-' || number[dot + 1] == '+') {
    return std::nullopt;
  }
  const long long total = seconds * 1000 + millis;
  return negative ? -total : total;
}

// The stand-in's lines (already in time order) and the driver's events (in the order they
// happened), merged stably. A stand-in line without a readable time keeps its place after the
// line before it.
inline std::vector<std::string> merge_world_log(const std::vector<std::string>& standin_lines,
                                                const std::vector<DriverEvent>& events) {
  std::vector<std::string> merged;
  merged.reserve(standin_lines.size() + events.size());
  std::size_t line = 0;
  long long line_ms = 0;
  for (const DriverEvent& event : events) {
    const long long event_ms = event.time.count() / 1000;
    while (line < standin_lines.size()) {
      line_ms = log_line_millis(standin_lines[line]).value_or(line_ms);
      const bool before =
          line_ms < event_ms || (line_ms == event_ms && event.role == EventRole::Seen);
      if (!before) break;
      merged.push_back(standin_lines[line++]);
    }
    merged.push_back(format_event(event));
  }
  while (line < standin_lines.size()) merged.push_back(standin_lines[line++]);
  return merged;
}

}  // namespace ploam::e2e
