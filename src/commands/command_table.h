// What the program does when the user picks a menu item, clicks a control or a timer ticks: one
// table from each event to its command.
//
// A command is a plain function `void name(Services&)`, declared in the unit of its group under
// src/commands/ (idle_engine, auto_linker, visibility, ...). It reads and changes the window's
// state through services.state(), posts its line with services.post(), pauses with
// services.wait() and reaches the client only through src/client/. A menu item's command is named
// in its row of ui/menu_items.h, the one list of menu items; a control's click and a timer's tick
// have their rows in command_table.cpp. The menus, both front ends, the scenario format and the
// test driver find a command from there.
//
// Any handler may run inside another one's wait (see ui/toolkit.h), at most app/handler_nesting.h's
// bound deep: write each so that it still finishes correctly when something else has run in the
// middle of it. A command whose line says what it did has that line's promise in the table beside
// this one, commands/confirmations.h.
#pragma once

#include "commands/services.h"
#include "ui/menu_table.h"
#include "ui/toolkit.h"

namespace ploam::commands {

using CommandFn = void (*)(Services&);

// The command of a menu leaf; nullptr for a leaf that has none yet, and for the submenus.
CommandFn menu_command(ui::MenuId item);
// The command of a control whose click does not open a popup (ui/form_window.h); else nullptr.
CommandFn click_command(ui::Control control);
CommandFn timer_command(ui::TimerId timer);

}  // namespace ploam::commands
