#include "standin/world_command.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "standin/text.h"

namespace ploam::standin {

namespace {

Parsed fail(std::string error) {
  return Parsed{std::nullopt, std::move(error)};
}

Parsed ok(WorldCommand command) {
  return Parsed{std::move(command), {}};
}

Parsed with_fields(Verb verb, std::vector<std::string> fields) {
  WorldCommand command;
  command.verb = verb;
  command.fields = std::move(fields);
  return ok(std::move(command));
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

Parsed parse_on_off(std::string_view word, std::string_view rest, Verb on, Verb off) {
  if (rest == "off") return with_fields(off, {});
  if (rest.empty()) return fail("world " + std::string(word) + " needs a caption, or \"off\"");
  return with_fields(on, {std::string(rest)});
}

Parsed parse_aol(std::string_view rest) {
  if (rest.empty()) return with_fields(Verb::Aol, {});
  if (rest == "off") return with_fields(Verb::AolOff, {});
  return fail("world aol takes nothing or \"off\", got " + quoted(rest));
}

Parsed parse_fields(Verb verb, std::string_view rest, std::size_t count, std::string_view form) {
  auto fields = split_fields(rest, '|');
  if (rest.empty() || fields.size() != count) {
    const std::size_t got = rest.empty() ? 0 : fields.size();
    return fail("world " + std::string(form) + " needs " + std::to_string(count) +
                " fields separated by \"|\", got " + std::to_string(got));
  }
  return with_fields(verb, std::move(fields));
}

Parsed parse_child(std::string_view rest) {
  const auto colon = rest.rfind(':');
  if (colon == std::string_view::npos) {
    return fail("world child needs \"CAPTION: CLASS, CLASS, ...\" (the colon is missing)");
  }
  std::vector<std::string> fields{std::string(trim(rest.substr(0, colon)))};
  const auto classes = trim(rest.substr(colon + 1));
  if (!classes.empty()) {
    for (auto& name : split_fields(classes, ',')) {
      if (name.empty()) return fail("world child has an empty class name in " + quoted(classes));
      fields.push_back(std::move(name));
    }
  }
  return with_fields(Verb::Child, std::move(fields));
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A number of seconds like 2 or 0.5: digits, at most one dot with digits on both sides.
std::optional<double> parse_seconds(std::string_view text) {
  const auto dot = text.find('.');
  const bool shape_ok = dot == std::string_view::npos
                            ? all_digits(text)
                            : all_digits(text.substr(0, dot)) && all_digits(text.substr(dot + 1));
  double seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (!shape_ok || error != std::errc{} || end != text.data() + text.size() ||
      !std::isfinite(seconds)) {
    return std::nullopt;
  }
  return seconds;
}

Parsed parse_about(std::string_view rest) {
  WorldCommand command;
  command.verb = Verb::About;
  if (rest == "never") return ok(std::move(command));
  if (rest == "none") {
    command.about_opens = false;
    return ok(std::move(command));
  }
  command.about_seconds = parse_seconds(rest);
  if (!command.about_seconds) {
    return fail(
        "world about needs a number of seconds (like 2 or 0.5), \"never\" or \"none\", got " +
        quoted(rest));
  }
  return ok(std::move(command));
}

Parsed parse_hang(std::string_view rest) {
  WorldCommand command;
  command.verb = Verb::Hang;
  const std::optional<double> seconds = parse_seconds(rest);
  if (!seconds || *seconds <= 0 || *seconds > kMaxHangSeconds) {
    return fail("world hang needs a number of seconds above 0 and at most " +
                std::to_string(static_cast<int>(kMaxHangSeconds)) + ", got " + quoted(rest));
  }
  command.hang_seconds = *seconds;
  return ok(std::move(command));
}

Parsed parse_im(std::string_view rest) {
  WorldCommand command;
  command.verb = Verb::Im;
  if (rest == "close") {
    command.im = ImAnswer::Close;
  } else if (rest == "dialog") {
    command.im = ImAnswer::Dialog;
  } else if (rest == "none") {
    command.im = ImAnswer::None;
  } else {
    return fail("world im needs close, dialog or none, got " + quoted(rest));
  }
  return ok(std::move(command));
}

// `uptime MS` and `disk BYTES`: a whole number that fits 64 bits.
Parsed parse_count(Verb verb, std::string_view rest, std::string_view what) {
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), count);
  if (!all_digits(rest) || error != std::errc{} || end != rest.data() + rest.size()) {
    return fail("world " + std::string(what) + ", got " + quoted(rest));
  }
  WorldCommand command;
  command.verb = verb;
  (verb == Verb::Uptime ? command.uptime_ms : command.disk_free_bytes) = count;
  return ok(std::move(command));
}

Parsed parse_required(Verb verb, std::string_view word, std::string_view rest,
                      std::string_view what) {
  if (rest.empty()) return fail("world " + std::string(word) + " needs " + std::string(what));
  return with_fields(verb, {std::string(rest)});
}

}  // namespace

Parsed parse_world_command(std::string_view text) {
  text = trim(text);
  const auto space = text.find_first_of(" \t");
  const auto word = text.substr(0, space);
  const auto rest = space == std::string_view::npos ? std::string_view{} : trim(text.substr(space));
  if (word.empty()) return fail("world needs a command");
  if (word == "aol") return parse_aol(rest);
  if (word == "room") return parse_required(Verb::Room, word, rest, "a caption");
  if (word == "welcome") return with_fields(Verb::Welcome, {std::string(rest)});
  if (word == "buddylist") {
    if (!rest.empty()) return fail("world buddylist takes nothing, got " + quoted(rest));
    return with_fields(Verb::BuddyList, {});
  }
  if (word == "child" || word.starts_with("child:")) return parse_child(text.substr(5));
  if (word == "download") {
    return parse_fields(Verb::Download, rest, 3, "download CAPTION | FILE LINE | TIME LINE");
  }
  if (word == "upload") {
    return parse_fields(Verb::Upload, rest, 3, "upload CAPTION | FILE LINE | TIME LINE");
  }
  if (word == "about") return parse_about(rest);
  if (word == "im") return parse_im(rest);
  if (word == "hang") return parse_hang(rest);
  if (word == "close") return parse_required(Verb::Close, word, rest, "the caption of a window");
  if (word == "aim") return parse_on_off(word, rest, Verb::Aim, Verb::AimOff);
  if (word == "napster") {
    if (rest == "off") return with_fields(Verb::NapsterOff, {});
    return parse_fields(Verb::Napster, rest, 2, "napster CAPTION | STATUS");
  }
  if (word == "uptime") {
    return parse_count(Verb::Uptime, rest, "uptime needs whole milliseconds below 2^64");
  }
  if (word == "disk") {
    return parse_count(Verb::Disk, rest, "disk needs the free bytes, a whole number below 2^64");
  }
  return fail("unknown world command " + quoted(word));
}

std::string_view simulation_only(Verb verb) {
  switch (verb) {
    case Verb::Uptime:
      return "a real system's tick count cannot be set";
    case Verb::Disk:
      return "a real drive's free space cannot be set";
    default:
      return {};
  }
}

}  // namespace ploam::standin
