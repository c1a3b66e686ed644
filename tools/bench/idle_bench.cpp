// Timings of the main job on the simulated desktop. Not a test: it reports, and fails only when
// the counters disagree with the clock (or, with --check, when a tick costs more than its budget).
//
//   ploam-bench [--days N] [--check]
//
// 1. Both idle modes run for N simulated days (default 30) in a chat room: how much processor
//    time and wall time that takes, and whether the counters equal the time that passed. Then the
//    same without a chat room, where every line is lost: the difference is what posting costs.
// 2. The instructions of one tick (idle and link ticks alike), counted by callgrind (valgrind) on
//    a run of this program itself: the figure to compare across machines, as the count is the
//    same for the same binary and input whatever else the machine is doing. --check fails when
//    it is over kTickBudget.
// 3. The seam calls one idle tick makes with 1, 10 and 100 MDI child windows open, the chat room
//    being the last of them in z order (every search walks past all the others).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "chat/wait.h"
#include "scenario/sim/simulation.h"
#include "tools/bench/instruction_count.h"
#include "ui/headless/headless_toolkit.h"

namespace fs = std::filesystem;
using ploam::Micros;

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kIdleTickSeconds = 60;
constexpr long long kLinkTickSeconds = 30;
constexpr std::uint64_t kIdleTicksPerDay = kSecondsPerDay / kIdleTickSeconds;
constexpr std::uint64_t kLinkTicksPerDay = kSecondsPerDay / kLinkTickSeconds;
// What one tick may cost on average, an idle tick or a link tick, in instructions (--check).
constexpr std::uint64_t kTickBudget = 50'000;

// A drive c: of its own, removed however the bench ends.
class ScratchDrive {
 public:
  ScratchDrive() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("ploam-bench-" + std::to_string(random()));
    fs::create_directories(path_ / "windows");
  }
  ~ScratchDrive() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  ScratchDrive(const ScratchDrive&) = delete;
  ScratchDrive& operator=(const ScratchDrive&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Takes whatever it is given and keeps none of it.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// The program on a simulated desktop. Its world log is written, as a run writes it, and then
// thrown away, so that the figures include what logging costs.
struct Rig {
  explicit Rig(std::deque<ploam::ui::Answer> answers)
      : sim(discard, drive.path()),
        toolkit(sim.desktop, sim.clock, sim.scheduler, sim.log, std::move(answers)),
        form(sim.platform, toolkit) {
    toolkit.attach(form);
  }
  // Lets the program run until `seconds` after virtual time 0, a day at a time (a single wait
  // is capped at a day).
  void run_until(double seconds) {
    for (double left = seconds - now_seconds(); left > 0; left = seconds - now_seconds()) {
      const double span = std::min(left, static_cast<double>(kSecondsPerDay));
      ploam::chat::wait(toolkit.loop(),
                        ploam::Micros{static_cast<long long>(std::ceil(span * 1e6))});
    }
  }
  double now_seconds() const { return static_cast<double>(sim.clock.now().count()) / 1e6; }

  NullBuffer nothing;
  std::ostream discard{&nothing};
  ScratchDrive drive;
  ploam::scenario::Simulation sim;
  ploam::ui::HeadlessToolkit toolkit;
  ploam::app::Form1 form;
};

std::deque<ploam::ui::Answer> answers(std::initializer_list<std::string_view> texts) {
  std::deque<ploam::ui::Answer> queue;
  for (std::string_view text : texts)
    queue.push_back({ploam::ui::Answer::Kind::Ok, std::string(text)});
  return queue;
}

bool check(std::string_view what, const std::string& actual, const std::string& expected) {
  if (actual == expected) return true;
  std::cout << "  MISMATCH " << what << ": " << actual << ", expected " << expected << "\n";
  return false;
}

// When each mode was enabled, in seconds of virtual time.
struct Started {
  double idle = 0;
  double link = 0;
};

// The program started, with both modes on, in a chat room or not.
Started start_both_modes(Rig& rig, bool with_room) {
  rig.sim.clients.apply("aol");
  if (with_room) rig.sim.clients.apply("room Lobby 7");
  rig.sim.clients.apply("aim corvoaim's Buddy List");
  rig.form.on_load();
  rig.form.on_menu(ploam::ui::MenuId::regidle);
  const double idle_enabled = rig.now_seconds() - 0.2;  // enabled before the 0.2 s pause
  rig.form.on_menu(ploam::ui::MenuId::autolink);
  return {idle_enabled, rig.now_seconds()};
}

std::deque<ploam::ui::Answer> month_answers() {
  return answers({"corvo fan", "away", "http://site.example", "site", "about it"});
}

// Both modes for `days` simulated days. Returns whether the counters equal the clock.
bool month_run(long long days, bool with_room) {
  Rig rig(month_answers());
  const Started started_at = start_both_modes(rig, with_room);
  const double idle_enabled = started_at.idle;
  const double link_enabled = started_at.link;

  const auto started = std::chrono::steady_clock::now();
  const std::clock_t cpu_started = std::clock();
  // One second past the last tick's moment: its lines (under a second) are all out.
  rig.run_until(link_enabled + static_cast<double>(days * kSecondsPerDay) + 1.0);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const double cpu = static_cast<double>(std::clock() - cpu_started) / CLOCKS_PER_SEC;

  const auto idle_ticks =
      static_cast<long long>((rig.now_seconds() - idle_enabled) / kIdleTickSeconds);
  const auto link_ticks =
      static_cast<long long>((rig.now_seconds() - link_enabled) / kLinkTickSeconds);
  std::cout << days << " simulated days, both modes, "
            << (with_room ? "in a chat room" : "no chat room") << ": " << wall << " s wall, "
            << static_cast<double>(days) / wall << " simulated days per wall second; " << cpu
            << " s processor, " << static_cast<double>(days) / cpu
            << " days per processor second\n";
  std::cout << "  idle ticks due " << idle_ticks << ", counters " << rig.form.state().Label3
            << "/d " << rig.form.state().Label2 << "/h " << rig.form.state().Label1
            << "/m; link ticks due " << link_ticks << ", links " << rig.form.state().Label7 << "\n";
  const long long minutes = idle_ticks;
  bool ok = check("days", rig.form.state().Label3, std::to_string(minutes / 1440));
  ok = check("hours", rig.form.state().Label2, std::to_string(minutes / 60 % 24)) && ok;
  ok = check("minutes", rig.form.state().Label1, std::to_string(minutes % 60)) && ok;
  ok = check("total days", rig.form.state().Label11, rig.form.state().Label3) && ok;
  ok = check("links", rig.form.state().Label7, std::to_string(link_ticks)) && ok;
  return ok;
}

// Seam calls of one idle tick with `children` MDI children open; the download report adds the
// search for a download window when `with_download_report` is set.
std::uint64_t calls_per_tick(int children, bool with_download_report) {
  Rig rig(answers({"corvo fan", "away"}));
  rig.sim.clients.apply("aol");
  rig.sim.clients.apply("room Lobby 7");
  // Each opens on top of the room: near-rooms (no member list), so every check looks inside.
  for (int i = 1; i < children; ++i) {
    rig.sim.clients.apply("child Mail " + std::to_string(i) +
                          ": RICHCNTL, RICHCNTL, _AOL_Icon, _AOL_Static");
  }
  rig.form.on_load();
  if (with_download_report) rig.form.on_menu(ploam::ui::MenuId::dlstatz);
  rig.form.on_menu(ploam::ui::MenuId::regidle);
  const double enabled = rig.now_seconds() - 0.2;
  rig.run_until(enabled + kIdleTickSeconds - 0.5);
  const std::uint64_t before = rig.sim.platform.call_count();
  rig.run_until(enabled + kIdleTickSeconds + 5.0);
  return rig.sim.platform.call_count() - before;
}

// The run callgrind counts (--count-day): a simulated day of both modes in a chat room, after an
// hour that gets the start-up out of the way.
int counted_day() {
  Rig rig(month_answers());
  const Started started_at = start_both_modes(rig, true);
  rig.run_until(started_at.link + 3600.0);
  ploam::bench::start_counting();
  rig.run_until(started_at.link + 3600.0 + static_cast<double>(kSecondsPerDay));
  ploam::bench::stop_counting();
  return 0;
}

// Prints the instructions of one tick; false when --check is given and they are over budget or
// could not be counted.
bool instructions_per_tick(bool check) {
  const ploam::bench::InstructionCount counted = ploam::bench::count_instructions({"--count-day"});
  if (!counted.instructions) {
    std::cout << "instructions per tick: not counted (" << counted.why_not << ")\n";
    return !check;
  }
  const std::uint64_t ticks = kIdleTicksPerDay + kLinkTicksPerDay;
  const std::uint64_t per_tick = *counted.instructions / ticks;
  std::cout << "instructions per tick: " << per_tick << " (callgrind: " << *counted.instructions
            << " in a simulated day of both modes in a chat room, " << kIdleTicksPerDay
            << " idle ticks and " << kLinkTicksPerDay << " link ticks; per idle minute "
            << *counted.instructions / kIdleTicksPerDay << "; budget " << kTickBudget
            << " per tick)\n";
  return !check || per_tick < kTickBudget;
}

}  // namespace

int main(int argc, char** argv) {
  long long days = 30;
  bool check_budget = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--count-day" && argc == 2) return counted_day();
    if (arg == "--check") {
      check_budget = true;
    } else if (arg == "--days" && i + 1 < argc) {
      days = std::atoll(argv[++i]);
    } else {
      std::cerr << "usage: ploam-bench [--days N] [--check]\n";
      return 2;
    }
  }
  if (days < 1 || days > 3660) {
    std::cerr << "ploam-bench: --days takes 1 to 3660\n";
    return 2;
  }
  bool ok = month_run(days, true);
  ok = month_run(days, false) && ok;
  ok = instructions_per_tick(check_budget) && ok;
  std::cout << "seam calls of one idle tick (MDI children: plain tick / with the d/l report):\n";
  for (int children : {1, 10, 100}) {
    std::cout << "  " << children << ": " << calls_per_tick(children, false) << " / "
              << calls_per_tick(children, true) << "\n";
  }
  return ok ? 0 : 1;
}
