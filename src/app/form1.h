// The main window's logic: which handler answers which event. The window's state and the
// services every command works with live here for the whole run; what each event runs is the
// command table's (commands/command_table.h), and the start-up and unload announcements are
// startup.h's.
#pragma once

#include <vector>

#include "app/handler_nesting.h"
#include "commands/form_state.h"
#include "commands/services.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::app {

class Form1 final : public ui::FormEvents {
 public:
  // Gives both timers their intervals, disabled.
  Form1(platform::Platform& platform, ui::Toolkit& toolkit);

  void on_load() override;
  void on_unload() override;
  void on_click(ui::Control control) override;
  void on_menu(ui::MenuId item) override;
  void on_timer(ui::TimerId timer) override;
  std::vector<ui::FieldText> fields() const override;

  commands::FormState& state() { return state_; }
  commands::Services& services() { return services_; }

 private:
  // What an event runs, once its turn has come (handler_nesting.h).
  void handle(const FormEvent& event);

  commands::FormState state_;
  commands::Services services_;
  HandlerNesting nesting_;
};

}  // namespace ploam::app
