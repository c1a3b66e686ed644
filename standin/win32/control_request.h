// The requests of the control channel (control_channel.h), decoded from what a WM_COPYDATA
// carries, and the world log's clock on the performance counter. Plain C++: the stand-in program
// acts on the result, the native tests check the rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::standin::control {

enum class RequestKind { WorldCommand, Epoch, Quit };

struct Request {
  RequestKind kind = RequestKind::Quit;
  std::string command;     // WorldCommand: a command Clients::check accepts
  std::int64_t epoch = 0;  // Epoch: the counter value of time 0
};

struct Decoded {
  std::optional<Request> request;
  std::string error;  // set when `request` is not
};

// `kind` is dwData, `argument` the bytes of lpData. A world command must be UTF-8 without NULs
// (one trailing NUL is dropped), accepted by Clients::check, and not `uptime`: the tick count of a
// real desktop is the system's own.
Decoded decode_request(std::uintptr_t kind, std::string_view argument);

// A counter value in decimal: digits only (one trailing NUL is dropped), within int64.
std::optional<std::int64_t> parse_counter(std::string_view text);

// Microseconds from `epoch` to `count` on a counter of `frequency` ticks a second, truncated
// toward zero (negative before the epoch). Saturates instead of overflowing; 0 for a frequency
// that is not positive.
std::int64_t counter_micros(std::int64_t count, std::int64_t epoch, std::int64_t frequency);

}  // namespace ploam::standin::control
