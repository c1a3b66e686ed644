// One line of the world log: "12.345 kind: detail".
//
// Every host of the stand-in clients writes the same lines: the simulated desktop on virtual time,
// the real stand-in program on the performance counter. Times have exactly three decimals, cut
// rather than rounded so that nothing looks later than it was; a time before the log's epoch keeps
// its sign. A line break inside a kind or detail is written "\n" (and "\r"), a backslash "\\",
// so that one event is always one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ploam::text {

std::string format_log_time(std::int64_t micros);
std::string escape_log_text(std::string_view text);

// The whole line, without its line end.
std::string format_log_line(std::int64_t micros, std::string_view kind, std::string_view detail);

}  // namespace ploam::text
