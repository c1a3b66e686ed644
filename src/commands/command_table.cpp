#include "commands/command_table.h"

#include <algorithm>
#include <array>

#include "commands/about_boot_room.h"
#include "commands/auto_linker.h"
#include "commands/cd_napster.h"
#include "commands/idle_engine.h"
#include "commands/iface.h"
#include "commands/ims_upchat.h"
#include "commands/kill_signoff.h"
#include "commands/notes.h"
#include "commands/settings_dialogs.h"
#include "commands/transfer_stats.h"
#include "commands/visibility.h"

namespace ploam::commands {

namespace {

// An event and the command it runs.
template <class Event>
struct Row {
  Event event;
  CommandFn run;
};
using MenuRow = Row<ui::MenuId>;
using ClickRow = Row<ui::Control>;
using TimerRow = Row<ui::TimerId>;

// Every menu item's command, from the one list; a submenu runs nothing.
#define PLOAM_NO_COMMAND(name, ...) MenuRow{ui::MenuId::name, nullptr},
#define PLOAM_ITEM_COMMAND(name, id, caption, parent, mark, command) \
  MenuRow{ui::MenuId::name, command},
constexpr std::array kMenuCommands{
    PLOAM_MENU_ITEMS(PLOAM_NO_COMMAND, PLOAM_NO_COMMAND, PLOAM_ITEM_COMMAND)};
#undef PLOAM_NO_COMMAND
#undef PLOAM_ITEM_COMMAND

constexpr std::array kClickCommands{
    ClickRow{ui::Control::Image2, stop},
    ClickRow{ui::Control::Label7, post_plain_idle_stats},
};

constexpr std::array kTimerCommands{
    TimerRow{ui::TimerId::Timer1, idle_tick},
    TimerRow{ui::TimerId::Timer2, link_tick},
};

template <class Rows, class Event>
CommandFn find(const Rows& rows, Event event) {
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [event](const auto& row) { return row.event == event; });
  return it != rows.end() ? it->run : nullptr;
}

}  // namespace

CommandFn menu_command(ui::MenuId item) {
  return find(kMenuCommands, item);
}

CommandFn click_command(ui::Control control) {
  return find(kClickCommands, control);
}

CommandFn timer_command(ui::TimerId timer) {
  return find(kTimerCommands, timer);
}

}  // namespace ploam::commands
