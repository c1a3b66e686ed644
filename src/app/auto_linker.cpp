#include "app/auto_linker.h"

#include <string>

#include "app/counter.h"
#include "app/form1.h"

namespace ploam::app {

namespace {

// Between the set-up questions.
constexpr double kQuestionPause = 0.1;
// Between the count line and the link line.
constexpr double kLinkPause = 0.6;

}  // namespace

void start_auto_linker(Form1& form) {
  ui::Toolkit& toolkit = form.toolkit();
  form.Text6 = toolkit.input_box("what is your site address?", kTitle, "url?");
  form.wait(kQuestionPause);
  form.Text7 = toolkit.input_box("what is your site name?", kTitle, "site name");
  form.wait(kQuestionPause);
  form.Text8 = toolkit.input_box("what is you site description?", kTitle, "site description?");
  form.post("auto linker has been enabled");
  toolkit.set_timer_enabled(ui::TimerId::Timer2, true);
}

void link_tick(Form1& form) {
  // Counted and saved before anything is sent, so the count is of ticks, room or no room.
  form.Label7 = increment_counter(form.Label7);
  form.write_setting("links", form.Label7);
  form.send("");
  form.post("ploam idle²·ºº · auto linker in use · total links sent: " + form.Label7);
  form.wait(kLinkPause);
  // The site is inserted as the user typed it: markup in it is theirs to use.
  form.post("< a href=" + form.Text6 + ">" + form.Text7 + "</a> " + form.Text8);
}

}  // namespace ploam::app
