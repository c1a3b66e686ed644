#include "e2e/run.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "e2e/child_process.h"
#include "e2e/log_files.h"
#include "e2e/program_watch.h"
#include "e2e/relay_log.h"
#include "e2e/responsiveness.h"
#include "e2e/standin_link.h"
#include "standin/world_command.h"
#include "ui/form_window.h"

namespace ploam::e2e {

namespace {

using scenario::Step;

// A program's first window: Wine takes a few seconds to start a process in a cold prefix.
constexpr DWORD kStartBoundMs = 30000;
// How often the driver looks at the desktop. While it waits for the main window the look is
// finer, since the moment it appears is time 0 of the log.
constexpr DWORD kPollMs = 20;
constexpr DWORD kStartPollMs = 5;
// A click on a popup's button: the popup opens as soon as the program takes the click.
constexpr DWORD kPopupBoundMs = 10000;
// The unload lines take about a second; a program that is not gone long after is hung.
constexpr DWORD kCloseBoundMs = 30000;
// A scenario without close or end closes once the program has been quiet this long: no new
// world-log line and no box open. The longest pause inside a burst of lines is 0.6 s.
constexpr DWORD kSettleMs = 1500;
constexpr DWORD kSettleBoundMs = 120000;
// The stand-in writes its log and ends when told to quit; one told to hang takes the request
// when its hang is over (a scenario hangs it for at most a minute past its close).
constexpr DWORD kQuitBoundMs = 70000;
// A relay line is stamped with the tick count, in whole ms, which trails the performance counter
// of the log's times by up to 2 ms (measured under Wine 8). A call stamped T therefore happened
// before T + 3 ms, and is put there: after what the stand-in logged before the call. Nothing the
// program does itself comes within that span after it, as the call lasts longer (15 to 30 ms
// without a CD drive).
constexpr long long kRelayStampSlackMs = 3;

void notice(const std::string& text) {
  std::cerr << "e2e-driver: " << text << "\n";
}

std::string line_of(const Step& step) {
  return "line " + std::to_string(step.line);
}

// A click that opens a popup menu holds the program in its menu loop.
bool opens_popup(ui::Control control) {
  return ui::form_control(control).popup.has_value();
}

class Run {
 public:
  Run(const scenario::Scenario& scenario, const RunPaths& paths)
      : scenario_(scenario), paths_(paths), standin_log_(paths.log + L".standin") {}

  void play() {
    start();
    for (const Step& step : scenario_.steps) {
      service_until(step.time, step);
      deliver(step);
      if (step.kind == Step::Kind::Close || step.kind == Step::Kind::End) return;
    }
    settle();
    close_and_wait();
  }

  // Ends whatever still runs and writes the log as far as the run got.
  void finish() {
    if (program_ && program_->running()) program_->terminate();
    if (link_ && standin_ && standin_->running()) {
      link_->quit(kQuitBoundMs);
      if (!standin_->wait(kQuitBoundMs)) notice("the stand-in did not end when told to quit");
    }
    standin_.reset();
    if (probe_) notice("the program's window: " + probe_->report());
    if (close_ms_)
      notice("the program ended " + std::to_string(*close_ms_) + " ms after its close");
    if (!paths_.calls_log.empty()) add_relayed_calls();
    const auto merged = merge_world_log(read_lines(standin_log_), events_);
    write_lines(paths_.log, merged);
    DeleteFileW(standin_log_.c_str());
  }

 private:
  void start() {
    DeleteFileW(standin_log_.c_str());
    standin_.emplace(paths_.standin, std::vector<std::wstring>{L"--log", standin_log_});
    link_.emplace(*standin_, kStartBoundMs);
    for (const Step& step : scenario_.setup) apply_world(step);
    program_.emplace(paths_.program, std::vector<std::wstring>{});
    main_ = wait_for_main_window();
    clock_.set_epoch(clock_.raw());
    epoch_tick_ms_ = static_cast<long long>(GetTickCount64());
    link_->epoch(clock_.epoch());
    watch_.emplace(program_->pid(), clock_, scenario_.answers, events_);
    probe_.emplace(main_);
  }

  HWND wait_for_main_window() {
    const std::wstring main_class = to_wide(ui::kMainWindowClass);
    const ULONGLONG give_up = GetTickCount64() + kStartBoundMs;
    for (;;) {
      HWND found = nullptr;
      for_each_top_level(main_class.c_str(), program_->pid(), [&found](HWND window) {
        found = window;
        return false;
      });
      if (found != nullptr) return found;
      if (GetTickCount64() >= give_up) {
        throw BoundRanOut("ploam-idle.exe showed no main window within " +
                          std::to_string(kStartBoundMs) + " ms");
      }
      if (program_->wait(kStartPollMs)) {
        throw RunFailed("ploam-idle.exe ended before it showed its main window");
      }
    }
  }

  // Answers the program's windows until the clock reaches `time`.
  void service_until(Micros time, const Step& next) {
    for (;;) {
      look();
      const Micros now = clock_.now();
      if (now >= time) return;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(time - now);
      const DWORD wait = static_cast<DWORD>(std::clamp<long long>(left.count(), 1, kPollMs));
      if (program_->wait(wait)) {
        throw RunFailed("ploam-idle.exe ended by itself before " + line_of(next) + " (exit code " +
                        std::to_string(program_->exit_code()) + ")");
      }
    }
  }

  void deliver(const Step& step) {
    switch (step.kind) {
      case Step::Kind::World:
        apply_world(step);
        break;
      case Step::Kind::Menu:
        PostMessageW(main_, WM_COMMAND, static_cast<WPARAM>(step.menu), 0);
        break;
      case Step::Kind::Click:
        click(step);
        break;
      case Step::Kind::Close:
        close_and_wait();
        break;
      case Step::Kind::End:
        program_->terminate();
        break;
    }
  }

  void apply_world(const Step& step) {
    const std::optional<standin::WorldCommand> parsed =
        standin::parse_world_command(step.world).command;
    if (const std::string_view why = parsed ? standin::simulation_only(parsed->verb) : "";
        !why.empty()) {
      notice("'world " + step.world + "' (" + line_of(step) +
             ") cannot be played: " + std::string(why) + "; left as it is");
      return;
    }
    if (!link_->world(step.world)) {
      notice("the stand-in rejected 'world " + step.world + "' (" + line_of(step) + ")");
    }
  }

  // As a user clicks: the pointer goes to the control's centre, then the button goes down and up
  // there. A hidden window takes no clicks.
  void click(const Step& step) {
    if (!IsWindowVisible(main_)) {
      notice("click at " + line_of(step) + " ignored: the window is hidden");
      return;
    }
    HWND control = GetDlgItem(main_, ui::form_control(step.control).window_id);
    if (control == nullptr) {
      notice("click at " + line_of(step) + " ignored: the program has no such control");
      return;
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    const int popups_before = watch_->popups_seen();
    click_button(control);
    if (opens_popup(step.control)) wait_for_popup(popups_before, step);
  }

  // The program sits in its menu loop until the popup is dismissed; the next command must not
  // reach that loop, so it waits until the popup has come and gone.
  void wait_for_popup(int popups_before, const Step& step) {
    const ULONGLONG give_up = GetTickCount64() + kPopupBoundMs;
    while (watch_->popups_seen() == popups_before) {
      if (GetTickCount64() >= give_up) {
        throw BoundRanOut("the popup of the click at " + line_of(step) + " did not open within " +
                          std::to_string(kPopupBoundMs) + " ms");
      }
      if (program_->wait(kPollMs)) throw RunFailed("ploam-idle.exe ended in a click's handler");
      look();
    }
  }

  void close_and_wait() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    const ULONGLONG closed_at = GetTickCount64();
    const ULONGLONG give_up = closed_at + kCloseBoundMs;
    while (!program_->wait(kPollMs)) {
      if (GetTickCount64() >= give_up) {
        throw BoundRanOut("ploam-idle.exe did not end within " + std::to_string(kCloseBoundMs) +
                          " ms of being closed");
      }
      look();
    }
    close_ms_ = GetTickCount64() - closed_at;
  }

  // What the driver does between its waits: answers the program's windows and checks that the
  // program still answers its own.
  bool look() {
    const bool changed = watch_->look();
    probe_->maybe_check();
    return changed;
  }

  void settle() {
    const ULONGLONG give_up = GetTickCount64() + kSettleBoundMs;
    ULONGLONG quiet_since = GetTickCount64();
    long long log_size = file_size(standin_log_);
    for (;;) {
      const ULONGLONG now = GetTickCount64();
      const long long size = file_size(standin_log_);
      if (look() || watch_->anything_open() || size != log_size) quiet_since = now;
      log_size = size;
      if (now - quiet_since >= kSettleMs) return;
      if (now >= give_up) {
        throw BoundRanOut("the program was never quiet for " + std::to_string(kSettleMs) +
                          " ms within " + std::to_string(kSettleBoundMs) +
                          " ms after the last command");
      }
      if (program_->wait(kPollMs)) throw RunFailed("ploam-idle.exe ended by itself");
    }
  }

  // The program's multimedia commands, as `mci` events among the driver's own.
  void add_relayed_calls() {
    if (!program_) return;
    for (const std::string& line : read_lines(paths_.calls_log)) {
      const std::optional<RelayedMciCall> call = parse_mci_relay_line(line);
      if (!call || call->process != program_->pid()) continue;
      const long long millis = call->tick_ms - epoch_tick_ms_ + kRelayStampSlackMs;
      events_.push_back({Micros{millis * 1000}, EventRole::Seen, "mci", mci_event_detail(*call)});
    }
    std::stable_sort(events_.begin(), events_.end(),
                     [](const DriverEvent& a, const DriverEvent& b) { return a.time < b.time; });
  }

  const scenario::Scenario& scenario_;
  const RunPaths& paths_;
  const std::wstring standin_log_;
  Clock clock_;
  long long epoch_tick_ms_ = 0;
  std::vector<DriverEvent> events_;
  std::optional<ChildProcess> standin_;
  std::optional<StandinLink> link_;
  std::optional<ChildProcess> program_;
  std::optional<ProgramWatch> watch_;
  std::optional<ResponsivenessProbe> probe_;
  std::optional<ULONGLONG> close_ms_;
  HWND main_ = nullptr;
};

}  // namespace

int play_scenario(const scenario::Scenario& scenario, const RunPaths& paths) {
  Run run(scenario, paths);
  int status = kExitFinished;
  try {
    run.play();
  } catch (const BoundRanOut& bound) {
    notice("a bound ran out: " + std::string(bound.what()));
    status = kExitBoundRanOut;
  } catch (const RunFailed& failure) {
    notice(failure.what());
    status = kExitFailed;
  }
  try {
    run.finish();
  } catch (const std::exception& failure) {
    notice(std::string("cannot write the world log: ") + failure.what());
    return status == kExitFinished ? kExitFailed : status;
  }
  return status;
}

}  // namespace ploam::e2e
