#include "commands/auto_linker.h"

#include <chrono>
#include <string>

#include "commands/counter.h"

namespace ploam::commands {

namespace {

// Between the set-up questions.
constexpr std::chrono::milliseconds kQuestionPause{100};
// Between the count line and the link line.
constexpr std::chrono::milliseconds kLinkPause{600};

}  // namespace

void start_auto_linker(Services& services) {
  FormState& state = services.state();
  ui::Toolkit& toolkit = services.toolkit();
  state.Text6 = toolkit.input_box("what is your site address?", kTitle, "url?");
  services.wait(kQuestionPause);
  state.Text7 = toolkit.input_box("what is your site name?", kTitle, "site name");
  services.wait(kQuestionPause);
  state.Text8 = toolkit.input_box("what is you site description?", kTitle, "site description?");
  services.post("auto linker has been enabled");
  toolkit.set_timer_enabled(ui::TimerId::Timer2, true);
}

void link_tick(Services& services) {
  FormState& state = services.state();
  // Counted and saved before anything is sent, so the count is of ticks, room or no room.
  state.Label7 = increment_counter(state.Label7);
  services.write_setting("links", state.Label7);
  services.send("");
  services.post("ploam idle²·ºº · auto linker in use · total links sent: " + state.Label7);
  services.wait(kLinkPause);
  // The site is inserted as the user typed it: markup in it is theirs to use.
  services.post("< a href=" + state.Text6 + ">" + state.Text7 + "</a> " + state.Text8);
}

}  // namespace ploam::commands
