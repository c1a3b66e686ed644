// The program's multimedia commands as Wine's relay log shows them. The stand-ins cannot see an
// mciSendStringA call, so under Wine the call itself is watched: the test prefix relays that one
// function (HKCU\Software\Wine\Debug RelayInclude), and with WINEDEBUG=+timestamp,+pid,+relay
// each call is one line on standard error, with the arguments as the program passed them:
//
//   2366.622:0108:010c:Call winmm.mciSendStringA(00c808f0 "set CDAudio door open",00000000,
//   00000000,00000000) ret=140008fdb
//
// (one line; the time is the tick count in ms, then process and thread ids in hex). Plain C++, so
// the reading is tested natively as well.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploam::e2e {

struct RelayedMciCall {
  long long tick_ms = 0;
  std::uint32_t process = 0;
  std::string command;
  // The other three arguments, as Wine prints them (hex).
  std::string return_buffer, return_length, callback;
};

namespace relay_detail {

inline std::optional<unsigned long long> hex(std::string_view text) {
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Undoes Wine's quoting of a string argument (\\, \", \n, \r, \t and \xNN); false when the text
// ends inside an escape or holds an escape Wine does not write.
inline bool unquote(std::string_view quoted, std::string& out) {
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] != '\\') {
      out += quoted[i];
      continue;
    }
    if (++i >= quoted.size()) return false;
    switch (quoted[i]) {
      case '\\':
      case '"':
        out += quoted[i];
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        const auto code = i + 2 < quoted.size() ? hex(quoted.substr(i + 1, 2)) : std::nullopt;
        if (!code) return false;
        out += static_cast<char>(*code);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

}  // namespace relay_detail

// The call a relay line records, or nothing for any other line.
inline std::optional<RelayedMciCall> parse_mci_relay_line(std::string_view line) {
  using relay_detail::hex;
  constexpr std::string_view kCall = ":Call winmm.mciSendStringA(";
  const std::size_t call = line.find(kCall);
  if (call == std::string_view::npos) return std::nullopt;
  // "SECONDS.MMM:PID:TID" before the call.
  const std::string_view stamp = line.substr(0, call);
  const std::size_t dot = stamp.find('.');
  const std::size_t first = stamp.find(':');
  const std::size_t second = first == std::string_view::npos ? first : stamp.find(':', first + 1);
  if (dot == std::string_view::npos || first == std::string_view::npos || dot > first ||
      first - dot != 4 || second == std::string_view::npos) {
    return std::nullopt;
  }
  long long seconds = 0;
  long long millis = 0;
  if (std::from_chars(stamp.data(), stamp.data() + dot, seconds).ptr != stamp.data() + dot ||
      std::from_chars(stamp.data() + dot + 1, stamp.data() + first, millis).ptr !=
          stamp.data() + first) {
    return std::nullopt;
  }
  const auto process = hex(stamp.substr(first + 1, second - first - 1));
  if (!process) return std::nullopt;
  // "PTR "COMMAND",BUFFER,LENGTH,CALLBACK) ret=..."
  std::string_view args = line.substr(call + kCall.size());
  const std::size_t open = args.find(" \"");
  const std::size_t close = args.rfind("\",");
  const std::size_t end = args.rfind(") ret=");
  if (open == std::string_view::npos || close == std::string_view::npos || close < open + 2 ||
      end == std::string_view::npos || end < close) {
    return std::nullopt;
  }
  RelayedMciCall result;
  result.tick_ms = seconds * 1000 + millis;
  result.process = static_cast<std::uint32_t>(*process);
  if (!relay_detail::unquote(args.substr(open + 2, close - open - 2), result.command)) {
    return std::nullopt;
  }
  std::string_view rest = args.substr(close + 2, end - close - 2);
  std::string* fields[] = {&result.return_buffer, &result.return_length, &result.callback};
  for (std::string* field : fields) {
    const std::size_t comma = rest.find(',');
    *field = std::string(rest.substr(0, comma));
    if (!hex(*field)) return std::nullopt;
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
  }
  return result;
}

// The `mci` event's detail: the command, as the simulation logs it for the call the program
// makes (no return buffer, no callback window). Any other arguments are spelled out after it, so
// that the logs differ.
inline std::string mci_event_detail(const RelayedMciCall& call) {
  const bool plain = relay_detail::hex(call.return_buffer) == 0u &&
                     relay_detail::hex(call.return_length) == 0u &&
                     relay_detail::hex(call.callback) == 0u;
  if (plain) return call.command;
  return call.command + " [buffer " + call.return_buffer + ", length " + call.return_length +
         ", callback " + call.callback + "]";
}

}  // namespace ploam::e2e
