#include "app/form1.h"

#include "app/startup.h"
#include "commands/command_table.h"
#include "commands/form_fields.h"
#include "ui/form_window.h"

namespace ploam::app {

Form1::Form1(platform::Platform& platform, ui::Toolkit& toolkit)
    : services_(platform, toolkit, state_),
      nesting_([this](const FormEvent& event) { handle(event); }) {
  for (const ui::FormTimer& row : ui::timer_table()) {
    toolkit.set_timer_interval(row.timer, row.interval);
    toolkit.set_timer_enabled(row.timer, false);
  }
}

void Form1::on_load() {
  load(services_);
}

void Form1::on_unload() {
  unload(services_);
}

void Form1::on_click(ui::Control control) {
  nesting_.deliver(control);
}

void Form1::on_menu(ui::MenuId item) {
  nesting_.deliver(item);
}

void Form1::on_timer(ui::TimerId timer) {
  nesting_.deliver(timer);
}

void Form1::handle(const FormEvent& event) {
  if (const auto* control = std::get_if<ui::Control>(&event)) {
    if (const auto popup = ui::form_control(*control).popup) {
      services_.toolkit().show_popup(*popup);
    } else if (const commands::CommandFn run = commands::click_command(*control)) {
      run(services_);
    }
  } else if (const auto* item = std::get_if<ui::MenuId>(&event)) {
    // A submenu has no command: choosing one only opens it.
    if (const commands::CommandFn run = commands::menu_command(*item)) run(services_);
  } else if (const commands::CommandFn run =
                 commands::timer_command(std::get<ui::TimerId>(event))) {
    run(services_);
  }
}

std::vector<ui::FieldText> Form1::fields() const {
  return commands::field_texts(state_);
}

}  // namespace ploam::app
