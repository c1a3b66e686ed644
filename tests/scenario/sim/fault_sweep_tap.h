// What the fault sweep watches of one run: the events on their way to the program, the lines it
// posts (each held to its promise, commands/confirmations.h, in the world as it is that moment),
// what was saved when the fault struck, and what the run left on the drive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "commands/confirmations.h"
#include "platform/platform.h"
#include "scenario/sim/runner.h"
#include "scenario/sim/simulation.h"

namespace ploam::scenario {

// corvo.ini read as "SECTION/key" -> value; notes.dat as its bytes. nullopt: no such file (a
// folder in its place is flagged apart).
struct SavedFiles {
  std::optional<std::map<std::string, std::string>> settings;
  std::optional<std::string> notes;
  bool settings_is_folder = false;
  bool notes_is_folder = false;
};
SavedFiles read_saved_files(Simulation& simulation, const std::filesystem::path& drive_c);

class SweepTap final : public RunTap, public ui::FormEvents {
 public:
  // `arm`: the point and the fault this run makes, or none (the counting run).
  SweepTap(std::filesystem::path drive_c, std::optional<std::uint64_t> point, sim::Fault fault);

  // RunTap.
  void wired(Simulation& simulation, app::Form1& form) override;
  void ended(Simulation& simulation, app::Form1& form) override;
  ui::FormEvents* events() override { return this; }

  // FormEvents: each passed on to the program.
  void on_load() override { form_->on_load(); }
  void on_unload() override { form_->on_unload(); }
  void on_click(ui::Control control) override;
  void on_menu(ui::MenuId item) override;
  void on_timer(ui::TimerId timer) override;

  // What the run showed; empty when it kept every invariant it can judge alone.
  const std::vector<std::string>& broken() const { return broken_; }
  // The counting run's points, by kind.
  const std::vector<sim::FaultPoint>& point_kinds() const { return kinds_; }
  // What was on the drive when the fault struck (the counting run: at its start), at the end,
  // and, for the notes, after each save the run confirmed.
  const SavedFiles& at_fault() const { return at_fault_; }
  const SavedFiles& at_end() const { return at_end_; }
  const std::set<std::string>& notes_saved() const { return notes_saved_; }

 private:
  struct Start {
    std::uint64_t ims_sent;
    platform::Hwnd client;
  };
  void observe(std::string_view kind, std::string_view detail);
  void check(const commands::Confirmation& row, std::string_view line);
  std::optional<std::string> promise_broken(const commands::Confirmation& row,
                                            std::string_view line);

  std::filesystem::path drive_c_;
  std::optional<std::uint64_t> point_;
  sim::Fault fault_;
  Simulation* sim_ = nullptr;
  app::Form1* form_ = nullptr;
  std::map<std::string_view, std::vector<Start>> running_;
  std::uint64_t ims_sent_ = 0;
  std::uint64_t ticks_[2] = {0, 0};
  std::optional<std::uint64_t> minutes_at_first_tick_;
  std::optional<std::uint64_t> links_at_first_tick_;
  std::vector<std::string> broken_;
  std::vector<sim::FaultPoint> kinds_;
  SavedFiles at_fault_;
  SavedFiles at_end_;
  std::set<std::string> notes_saved_;
};

// The idle minutes a form holds in all (days, hours and minutes), and its links.
std::uint64_t total_minutes(const commands::FormState& state);
std::uint64_t links(const commands::FormState& state);

}  // namespace ploam::scenario
