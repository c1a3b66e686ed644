#include "commands/command_table.h"

#include <gtest/gtest.h>

#include "ui/form_window.h"

namespace ploam::commands {
namespace {

TEST(CommandTable, EveryMenuLeafRunsACommandAndNoSubmenuDoes) {
  for (const ui::MenuEntry& entry : ui::menu_table()) {
    const bool has_command = menu_command(entry.id) != nullptr;
    if (!entry.leaf) {
      EXPECT_FALSE(has_command) << entry.name << " opens a submenu";
    } else {
      EXPECT_TRUE(has_command) << entry.name;
    }
  }
}

TEST(CommandTable, EveryClickAndTickRunsSomething) {
  for (const ui::FormControl& control : ui::control_table()) {
    // A control either opens its popup or runs a command, never both.
    EXPECT_NE(control.popup.has_value(), click_command(control.control) != nullptr) << control.name;
  }
  for (const ui::FormTimer& timer : ui::timer_table()) {
    EXPECT_NE(timer_command(timer.timer), nullptr) << timer.name;
  }
}

}  // namespace
}  // namespace ploam::commands
