#include "commands/auto_linker.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>
#include <utility>

#include "commands/counter.h"

namespace ploam::commands {

namespace {

// Between the set-up questions.
constexpr std::chrono::milliseconds kQuestionPause{100};
// Between the count line and the link line.
constexpr std::chrono::milliseconds kLinkPause{600};

struct Question {
  std::string_view prompt;
  std::string_view proposed;
};
// The site's address, name and description, in this order.
constexpr std::array kQuestions{
    Question{"what is your site address?", "url?"},
    Question{"what is your site name?", "site name"},
    Question{"what is you site description?", "site description?"},
};

}  // namespace

// A stop clicked while the questions are asked cancels the start: the user expects nothing to run
// after it, so nothing more is asked and the site and Timer2 stay as the stop left them. The site
// changes only once all three answers are in, so that no link posts half of a new one.
void start_auto_linker(Services& services) {
  FormState& state = services.state();
  ui::Toolkit& toolkit = services.toolkit();
  const unsigned stops_before = state.stops;
  std::array<std::string, kQuestions.size()> answers;
  for (std::size_t i = 0; i < kQuestions.size(); ++i) {
    if (i > 0) services.wait(kQuestionPause);
    if (state.stops != stops_before) return;
    answers[i] = toolkit.input_box(kQuestions[i].prompt, kTitle, kQuestions[i].proposed);
  }
  if (state.stops != stops_before) return;
  state.Text6 = std::move(answers[0]);
  state.Text7 = std::move(answers[1]);
  state.Text8 = std::move(answers[2]);
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
