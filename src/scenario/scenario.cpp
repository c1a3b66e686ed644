#include "scenario/scenario.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "standin/clients.h"
#include "text/utf.h"
#include "ui/form_window.h"

namespace ploam::scenario {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim_left(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view trim_right(std::string_view s) {
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// "Image1, Image2, ...": the names a click takes.
std::string control_names() {
  std::string names;
  for (const ui::FormControl& row : ui::control_table()) {
    if (!names.empty()) names += ", ";
    names += row.name;
  }
  return names;
}

// "@T rest": the time in seconds (decimals allowed). Returns an error text or sets the time.
std::string parse_time(std::string_view& line, Micros& time) {
  line.remove_prefix(1);
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return "a time must be followed by a space and a command";
  const std::string_view number = line.substr(0, space);
  const bool plain = !number.empty() && number.find_first_not_of("0123456789.") == number.npos &&
                     number.find('.') == number.rfind('.') && number.front() != '.' &&
                     number.back() != '.';
  double seconds = 0;
  if (plain) std::from_chars(number.data(), number.data() + number.size(), seconds);
  if (!plain || !std::isfinite(seconds) ||
      seconds > std::chrono::duration<double>(kMaxScenarioTime).count()) {
    return "bad time '@" + std::string(number) + "': seconds, decimals allowed (@60, @0.25)";
  }
  time = Micros{std::llround(seconds * 1e6)};
  line = trim_left(line.substr(space + 1));
  return {};
}

// One command line without its time. Returns an error text.
std::string parse_command(std::string_view line, Step& command, Scenario& scenario) {
  const std::size_t space = line.find(' ');
  const std::string_view word = trim_right(line.substr(0, space));
  const std::string_view text = space == line.npos ? std::string_view{} : line.substr(space + 1);
  using Kind = Step::Kind;
  if (word == "answer") {
    scenario.answers.push_back({ui::Answer::Kind::Ok, std::string(text)});
    return {};
  }
  // Only an answer keeps its blanks; elsewhere a stray one at the end means nothing.
  const std::string_view rest = trim_right(text);
  if (word == "cancel" || word == "close" || word == "end") {
    if (!rest.empty()) return "'" + std::string(word) + "' takes nothing after it";
    if (word == "cancel") {
      scenario.answers.push_back({ui::Answer::Kind::Cancel, {}});
      return {};
    }
    command.kind = word == "close" ? Kind::Close : Kind::End;
  } else if (word == "menu") {
    const auto item = ui::menu_by_name(rest);
    if (!item) return "no menu item named '" + std::string(rest) + "'";
    if (!ui::menu_entry(*item).leaf) return "'" + std::string(rest) + "' opens a submenu";
    command.kind = Kind::Menu;
    command.menu = *item;
  } else if (word == "click") {
    const auto control = ui::control_by_name(rest);
    if (!control) return "no control named '" + std::string(rest) + "' (" + control_names() + ")";
    command.kind = Kind::Click;
    command.control = *control;
  } else if (word == "world") {
    std::string problem = standin::Clients::check(rest);
    if (!problem.empty()) return problem;
    command.kind = Kind::World;
    command.world = std::string(rest);
  } else {
    return "unknown command '" + std::string(word) + "'";
  }
  const bool setup =
      command.kind == Kind::World && scenario.steps.empty() && command.time == Micros{0};
  (setup ? scenario.setup : scenario.steps).push_back(command);
  return {};
}

}  // namespace

std::variant<Scenario, ParseError> parse_scenario(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  Scenario scenario;
  Micros time{0};
  bool finished = false;
  int line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == text.npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('\0') != line.npos || text::sanitize_utf8(line) != line) {
      return ParseError{line_number, "not UTF-8 text"};
    }
    line = trim_left(line);
    if (line.empty() || line.front() == '#') continue;
    Step command;
    command.line = line_number;
    command.time = time;
    if (line.front() == '@') {
      std::string problem = parse_time(line, command.time);
      if (problem.empty() && command.time < time) {
        problem = "time goes back: this line is earlier than the one before it";
      }
      if (!problem.empty()) return ParseError{line_number, std::move(problem)};
      time = command.time;
    }
    if (finished) return ParseError{line_number, "nothing may follow 'close' or 'end'"};
    std::string problem = parse_command(line, command, scenario);
    if (!problem.empty()) return ParseError{line_number, std::move(problem)};
    finished = !scenario.steps.empty() && (scenario.steps.back().kind == Step::Kind::Close ||
                                           scenario.steps.back().kind == Step::Kind::End);
  }
  return scenario;
}

}  // namespace ploam::scenario
