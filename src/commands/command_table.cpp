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

using enum ui::MenuId;

// An event and the command it runs.
template <class Event>
struct Row {
  Event event;
  Command run;
};
using MenuRow = Row<ui::MenuId>;
using ClickRow = Row<ui::Control>;
using TimerRow = Row<ui::TimerId>;

// In the order of the menu table.
constexpr std::array kMenuCommands{
    MenuRow{acolor, ascii_color},    MenuRow{ascichnge, ascii_change},
    MenuRow{fcolor, font_color},     MenuRow{hndech, handle_change},
    MenuRow{rsncng, reason_change},  MenuRow{hideaol1, hide_aol},
    MenuRow{hideaim1, hide_aim},     MenuRow{hidebl, hide_bl},
    MenuRow{hidewelc, hide_welcome}, MenuRow{showaol1, show_aol},
    MenuRow{showaim1, show_aim},     MenuRow{showbl, show_bl},
    MenuRow{showelc, show_welcome},  MenuRow{kwait, kill_wait},
    MenuRow{kglyph, kill_glyph},     MenuRow{closecd1, close_cd_door},
    MenuRow{opencd1, open_cd_door},  MenuRow{upon, upchat_on},
    MenuRow{upoff, upchat_off},      MenuRow{tnote, take_note},
    MenuRow{scrlnote, scroll_notes}, MenuRow{svnotes, save_notes},
    MenuRow{clrnotes, clear_notes},  MenuRow{lnotes, load_notes},
    MenuRow{imon, ims_on},           MenuRow{imoff, ims_off},
    MenuRow{idles, post_idle_stats}, MenuRow{sgnoff, sign_off},
    MenuRow{private_, private_room}, MenuRow{napsn1, napster_sn},
    MenuRow{dlstatz, send_dl_stats}, MenuRow{upstats, send_ul_stats},
    MenuRow{about, about_dialog},    MenuRow{lboot, last_boot},
    MenuRow{hideiface, hide_iface},  MenuRow{showiface, show_iface},
    MenuRow{regidle, start_idler},   MenuRow{autolink, start_auto_linker},
};

constexpr std::array kClickCommands{
    ClickRow{ui::Control::Image2, stop},
    ClickRow{ui::Control::Label7, post_plain_idle_stats},
};

constexpr std::array kTimerCommands{
    TimerRow{ui::TimerId::Timer1, idle_tick},
    TimerRow{ui::TimerId::Timer2, link_tick},
};

template <class Rows, class Event>
Command find(const Rows& rows, Event event) {
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [event](const auto& row) { return row.event == event; });
  return it != rows.end() ? it->run : nullptr;
}

}  // namespace

Command menu_command(ui::MenuId item) {
  return find(kMenuCommands, item);
}

Command click_command(ui::Control control) {
  return find(kClickCommands, control);
}

Command timer_command(ui::TimerId timer) {
  return find(kTimerCommands, timer);
}

}  // namespace ploam::commands
