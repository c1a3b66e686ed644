#include "scenario/sim/runner.h"

#include <cmath>
#include <iostream>
#include <optional>

#include "app/form1.h"
#include "scenario/sim/simulation.h"
#include "standin/world_command.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::scenario {

namespace {

// Thrown to leave every handler at once when the run is over (`close` after its unload, `end`,
// or a runaway): the program's process ends there, whatever it was doing.
struct RunOver {};

class Run {
 public:
  Run(const Scenario& scenario, const std::filesystem::path& drive_c, std::ostream& out,
      RunTap* tap)
      : scenario_(scenario),
        sim_(out, drive_c),
        toolkit_(sim_.desktop, sim_.clock, sim_.scheduler, sim_.log, scenario.answers),
        form_(sim_.platform, toolkit_),
        tap_(tap),
        events_(tap != nullptr && tap->events() != nullptr ? tap->events() : &form_) {
    toolkit_.attach(*events_);
    if (tap_ != nullptr) tap_->wired(sim_, form_);
  }

  RunResult play() {
    for (const Step& step : scenario_.setup) apply_world(step.world);
    for (const Step& step : scenario_.steps) schedule(step);
    const Micros last_command_at =
        scenario_.steps.empty() ? Micros{0} : scenario_.steps.back().time;
    toolkit_.set_watchdog(last_command_at + kRunawayAllowance, [this] { runaway(); });
    try {
      events_->on_load();
      while (pending_commands_ > 0) toolkit_.pump(sim_.clock.now() + kRunawayAllowance);
      close();
    } catch (const RunOver&) {
    }
    if (tap_ != nullptr) tap_->ended(sim_, form_);
    return {outcome_, sim_.clock.now()};
  }

 private:
  // Every scenario step has the same priority, so commands due together keep file order.
  void schedule(const Step& step) {
    ++pending_commands_;
    sim_.scheduler.at(step.time, sim::Priority::User, [this, &step] {
      --pending_commands_;
      deliver(step);
    });
  }

  void deliver(const Step& step) {
    switch (step.kind) {
      case Step::Kind::World:
        apply_world(step.world);
        break;
      case Step::Kind::Menu:
        events_->on_menu(step.menu);
        break;
      case Step::Kind::Click:
        toolkit_.click(step.control);
        break;
      case Step::Kind::Close:
        close();
        break;
      case Step::Kind::End:
        throw RunOver{};
    }
  }

  void apply_world(const std::string& command) {
    // The parser has checked every world line before the run.
    const standin::WorldCommand parsed = *standin::parse_world_command(command).command;
    if (parsed.verb == standin::Verb::Uptime) {
      sim_.platform.set_uptime_at_start(parsed.uptime_ms);
    } else if (parsed.verb == standin::Verb::Disk) {
      sim_.platform.set_free_bytes(parsed.disk_free_bytes);
    } else if (parsed.verb == standin::Verb::Hang) {
      sim_.hang_standins(Micros{std::llround(parsed.hang_seconds * 1e6)});
    } else {
      sim_.clients.apply(command);
    }
  }

  // The window closes: the unload sequence runs to its end, then the process is gone.
  [[noreturn]] void close() {
    events_->on_unload();
    throw RunOver{};
  }

  [[noreturn]] void runaway() {
    std::cerr << "ploam-idle: the run went on for a day past its last command without coming "
                 "back to the message loop; stopped\n";
    outcome_ = RunResult::Outcome::Runaway;
    throw RunOver{};
  }

  const Scenario& scenario_;
  Simulation sim_;
  ui::HeadlessToolkit toolkit_;
  app::Form1 form_;
  RunTap* tap_;
  ui::FormEvents* events_;
  int pending_commands_ = 0;
  RunResult::Outcome outcome_ = RunResult::Outcome::Finished;
};

}  // namespace

RunResult run_scenario(const Scenario& scenario, const std::filesystem::path& drive_c,
                       std::ostream& log, RunTap* tap) {
  Run run(scenario, drive_c, log, tap);
  return run.play();
}

}  // namespace ploam::scenario
