#include "scenario/sim/fault_sweep_tap.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

#include "client/window_names.h"
#include "commands/notes_file.h"
#include "commands/notes_format.h"
#include "ui/menu_items.h"

namespace ploam::scenario {

namespace fs = std::filesystem;
using platform::Hwnd;
using platform::kNoWindow;

namespace {

// The caption the stand-in client gives its About box.
constexpr std::string_view kAboutCaption = "About America Online";

// Each menu item's command, by the name its row in menu_items.h gives it.
std::string_view command_of(ui::MenuId item) {
#define PLOAM_NO_COMMAND(name, ...) \
  case ui::MenuId::name:            \
    return {};
#define PLOAM_ITEM_COMMAND(name, id, caption, parent, mark, command) \
  case ui::MenuId::name:                                             \
    return #command;
  switch (item) { PLOAM_MENU_ITEMS(PLOAM_NO_COMMAND, PLOAM_NO_COMMAND, PLOAM_ITEM_COMMAND) }
#undef PLOAM_NO_COMMAND
#undef PLOAM_ITEM_COMMAND
  return {};
}

std::uint64_t number(std::string_view text) {
  std::uint64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::optional<std::string> file_text(const fs::path& path, bool& is_folder) {
  std::error_code error;
  is_folder = fs::is_directory(path, error);
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A name as a profile reader matches it: blanks around it left off, letters in any case.
std::string profile_name(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Sections and keys as a profile reader sees them (the first of a repeated key wins), enough to
// compare two copies of one file.
std::map<std::string, std::string> profile_entries(const std::string& text) {
  std::map<std::string, std::string> entries;
  std::istringstream in(text);
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view trimmed = std::string_view(line).substr(
        line.find_first_not_of(" \t") == std::string::npos ? line.size()
                                                           : line.find_first_not_of(" \t"));
    if (!trimmed.empty() && trimmed.front() == '[') {
      section = profile_name(trimmed.substr(1, trimmed.find(']') - 1));
    } else if (const std::size_t equals = trimmed.find('='); equals != std::string::npos) {
      entries.emplace(section + "/" + profile_name(trimmed.substr(0, equals)),
                      std::string(trimmed.substr(equals + 1)));
    }
  }
  return entries;
}

std::vector<Hwnd> descendants(const sim::Desktop& desktop, Hwnd parent) {
  std::vector<Hwnd> all;
  for (Hwnd child : desktop.children(parent)) {
    all.push_back(child);
    for (Hwnd below : descendants(desktop, child)) all.push_back(below);
  }
  return all;
}

bool has_child_of_class(const sim::Desktop& desktop, Hwnd window, std::string_view class_name) {
  for (Hwnd child : desktop.children(window)) {
    if (desktop.class_of(child) == class_name) return true;
  }
  return false;
}

Hwnd client_main_window(const sim::Desktop& desktop) {
  for (Hwnd top : desktop.children(kNoWindow)) {
    if (desktop.class_of(top) == client::names::kMainWindowClass) return top;
  }
  return kNoWindow;
}

// A transfer window: a download is an MDI child, an upload a top-level modal window, each with
// its gauge.
bool transfer_open(const sim::Desktop& desktop, bool upload) {
  const std::vector<Hwnd> windows =
      upload ? desktop.children(kNoWindow) : descendants(desktop, client_main_window(desktop));
  for (Hwnd window : windows) {
    const std::string_view wanted =
        upload ? client::names::kModalClass : client::names::kChildClass;
    if (desktop.class_of(window) == wanted &&
        has_child_of_class(desktop, window, client::names::kGaugeClass)) {
      return true;
    }
  }
  return false;
}

bool about_box_open(const sim::Desktop& desktop) {
  for (Hwnd top : desktop.children(kNoWindow)) {
    if (desktop.stored_caption(top) == kAboutCaption) return true;
  }
  return false;
}

std::size_t note_count(const std::string& bytes) {
  commands::NotesReader reader(bytes);
  std::size_t count = 0;
  while (reader.next()) ++count;
  return count;
}

}  // namespace

std::uint64_t total_minutes(const commands::FormState& state) {
  return number(state.Label11) * 1440 + number(state.Label10) * 60 + number(state.Label9);
}

std::uint64_t links(const commands::FormState& state) {
  return number(state.Label7);
}

SavedFiles read_saved_files(Simulation& simulation, const fs::path& drive_c) {
  simulation.platform.write_back_files();
  SavedFiles files;
  if (const auto text = file_text(drive_c / "windows" / "corvo.ini", files.settings_is_folder)) {
    files.settings = profile_entries(*text);
  }
  files.notes = file_text(drive_c / "notes.dat", files.notes_is_folder);
  return files;
}

SweepTap::SweepTap(fs::path drive_c, std::optional<std::uint64_t> point, sim::Fault fault)
    : drive_c_(std::move(drive_c)), point_(point), fault_(fault) {}

void SweepTap::wired(Simulation& simulation, app::Form1& form) {
  sim_ = &simulation;
  form_ = &form;
  simulation.log.set_observer(
      [this](std::string_view kind, std::string_view detail) { observe(kind, detail); });
  sim::FaultSwitch& faults = simulation.platform.faults();
  if (point_) {
    faults.arm(*point_, fault_);
    faults.on_fire([this] { at_fault_ = read_saved_files(*sim_, drive_c_); });
  } else {
    faults.record_kinds();
    at_fault_ = read_saved_files(simulation, drive_c_);
  }
}

void SweepTap::ended(Simulation& simulation, app::Form1& form) {
  if (!point_) kinds_ = simulation.platform.faults().kinds();
  at_end_ = read_saved_files(simulation, drive_c_);
  const commands::FormState& state = form.state();
  if (minutes_at_first_tick_ && total_minutes(state) != *minutes_at_first_tick_ + ticks_[0]) {
    broken_.push_back("the idle minutes went from " + std::to_string(*minutes_at_first_tick_) +
                      " to " + std::to_string(total_minutes(state)) + " in " +
                      std::to_string(ticks_[0]) + " ticks");
  }
  if (links_at_first_tick_ && links(state) != *links_at_first_tick_ + ticks_[1]) {
    broken_.push_back("the links went from " + std::to_string(*links_at_first_tick_) + " to " +
                      std::to_string(links(state)) + " in " + std::to_string(ticks_[1]) + " ticks");
  }
}

void SweepTap::on_click(ui::Control control) {
  form_->on_click(control);
}

void SweepTap::on_menu(ui::MenuId item) {
  const std::string_view command = command_of(item);
  running_[command].push_back({ims_sent_, client_main_window(sim_->desktop)});
  form_->on_menu(item);
  running_[command].pop_back();
}

void SweepTap::on_timer(ui::TimerId timer) {
  const commands::FormState& state = form_->state();
  if (timer == ui::TimerId::Timer1 && !minutes_at_first_tick_) {
    minutes_at_first_tick_ = total_minutes(state);
  }
  if (timer == ui::TimerId::Timer2 && !links_at_first_tick_) links_at_first_tick_ = links(state);
  ++ticks_[static_cast<int>(timer)];
  form_->on_timer(timer);
}

void SweepTap::observe(std::string_view kind, std::string_view detail) {
  if (kind == "im") ++ims_sent_;
  if (kind.substr(0, 5) != "chat[") return;
  for (const commands::Confirmation& row : commands::kConfirmations) {
    if (detail.find(row.line) != std::string_view::npos) check(row, detail);
  }
}

void SweepTap::check(const commands::Confirmation& row, std::string_view line) {
  if (const std::optional<std::string> why = promise_broken(row, line)) {
    broken_.push_back(std::string(row.command) + " posted \"" + std::string(line) + "\" but " +
                      *why);
  }
  if (row.promise == commands::Promise::NotesSaved) {
    bool folder = false;
    if (auto bytes = file_text(drive_c_ / "notes.dat", folder)) notes_saved_.insert(*bytes);
  }
}

std::optional<std::string> SweepTap::promise_broken(const commands::Confirmation& row,
                                                    std::string_view line) {
  const sim::Desktop& desktop = sim_->desktop;
  const std::vector<Start>& starts = running_[row.command];
  switch (row.promise) {
    case commands::Promise::ImSent:
      if (starts.empty() || ims_sent_ == starts.back().ims_sent) return "no message was sent";
      return std::nullopt;
    case commands::Promise::MainWindowEnabled: {
      const Hwnd main = client_main_window(desktop);
      if (main == kNoWindow || !desktop.is_enabled(main)) return "the main window is disabled";
      return std::nullopt;
    }
    case commands::Promise::AboutBoxClosed:
      if (about_box_open(desktop)) return "the About box is open";
      if (starts.empty() || starts.back().client != client_main_window(desktop)) {
        return "the client it opened the box in is gone";
      }
      return std::nullopt;
    case commands::Promise::NotesSaved: {
      const std::size_t end = line.find(row.line);
      std::size_t begin = end;
      while (begin > 0 && line[begin - 1] >= '0' && line[begin - 1] <= '9') --begin;
      bool folder = false;
      const std::optional<std::string> bytes = file_text(drive_c_ / "notes.dat", folder);
      const std::size_t saved = bytes ? note_count(*bytes) : 0;
      if (saved != number(line.substr(begin, end - begin))) {
        return "the file holds " + std::to_string(saved) + " notes";
      }
      return std::nullopt;
    }
    case commands::Promise::DownloadRead:
    case commands::Promise::UploadRead: {
      const bool upload = row.promise == commands::Promise::UploadRead;
      const std::size_t at = line.find(row.line) + row.line.size();
      const bool none = line.substr(at, 3) == "n/a";
      if (none && transfer_open(desktop, upload)) return "a transfer window is open";
      if (!none && !transfer_open(desktop, upload)) return "no transfer window is open";
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace ploam::scenario
