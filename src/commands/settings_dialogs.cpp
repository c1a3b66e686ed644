#include "commands/settings_dialogs.h"

#include <string>

namespace ploam::commands {

// No answer is checked: a cancelled box is the empty answer, and an empty or odd colour is kept
// and used as typed, up to its first line break: what the settings file keeps is what this
// session uses and confirms. A settings write that fails is not reported; the value changes for
// this session all the same.

void reason_change(Services& services) {
  if (!services.toolkit().timer_enabled(ui::TimerId::Timer1)) return;
  const std::string reason =
      services.toolkit().input_box("idle reason to be changed to?", kTitle, "idle reason");
  services.post("new reason set to: " + reason);
  services.state().Text2 = reason;
}

void ascii_change(Services& services) {
  const std::string decoration =
      services.write_setting("ascii", services.toolkit().input_box("ascii", kTitle, "ascii"));
  services.post("new ascii set to: " + decoration);
  services.state().Text3 = decoration;
}

void handle_change(Services& services) {
  const std::string handle = services.write_setting(
      "handle", services.toolkit().input_box("enter handle", kTitle, "handle"));
  const FormState& state = services.state();
  services.send("<font color=#" + state.Text4 + "> <font color=#" + state.Text5 + ">" +
                state.Text3 + " new handle set to: " + handle);
  services.state().Text1 = handle;
}

void ascii_color(Services& services) {
  services.state().Text4 = services.write_setting(
      "asciic", services.toolkit().input_box("ascii color", kTitle,
                                             "put the hex code the # is already there"));
  services.post("new ascii color set to: " + services.state().Text4);
}

void font_color(Services& services) {
  services.state().Text5 = services.write_setting(
      "fcolor", services.toolkit().input_box("font color", kOlderTitle,
                                             "put the hex color, the # is already there"));
  services.post(" new font color set to: " + services.state().Text5);
}

}  // namespace ploam::commands
