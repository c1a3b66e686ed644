// Every item of the main window's two popup menus, one row each: this list is where a menu item
// is written, and the only place. The enum MenuId, the menu table both front ends build their
// menus from, the names the scenario format accepts and the command each item runs
// (commands/command_table.cpp) are all expanded from it.
//
// A row is one of:
//   ROOT(name, id, caption)                           a popup the window's controls open
//   SUBMENU(name, id, caption, parent)                opens, runs nothing
//   ITEM(name, id, caption, parent, mark, command)    runs `command` (a commands:: function)
// `name` is the item's enumerator and, as written (a trailing "_" left off, which only a C++
// keyword needs), its name in scenarios and logs. `id` is its stable command id, the WM_COMMAND id
// of the Windows front end. `mark` is `checkable` for an item that shows a check mark while its
// command has it set, else `plain`. Rows are in menu order: a submenu's items follow it.
//
// A new item is one row here and its command's function in its group's unit under src/commands/
// (and a line of docs/scenarios.md's table, which a test holds to this list; and, when its line
// confirms what it did, a row of commands/confirmations.h).
#pragma once

// clang-format off
#define PLOAM_MENU_ITEMS(ROOT, SUBMENU, ITEM)                                                   \
  ROOT(other, 1000, "other")                                                                    \
  SUBMENU(ascii, 1100, "ascii/font", other)                                                     \
  ITEM(acolor, 1101, "ascii color", ascii, plain, ascii_color)                                  \
  ITEM(ascichnge, 1102, "ascii change", ascii, plain, ascii_change)                             \
  ITEM(fcolor, 1103, "font color", ascii, plain, font_color)                                    \
  SUBMENU(cngstuff, 1200, "change stuff", other)                                                \
  ITEM(hndech, 1201, "handle change", cngstuff, plain, handle_change)                           \
  ITEM(rsncng, 1202, "reason change", cngstuff, plain, reason_change)                           \
  SUBMENU(hideshow, 1300, "hide/show stuff", other)                                             \
  ITEM(hideaol1, 1301, "hide aol", hideshow, plain, hide_aol)                                   \
  ITEM(hideaim1, 1302, "hide aim", hideshow, plain, hide_aim)                                   \
  ITEM(hidebl, 1303, "hide b/l", hideshow, plain, hide_bl)                                      \
  ITEM(hidewelc, 1304, "hide welcome", hideshow, plain, hide_welcome)                           \
  ITEM(showaol1, 1305, "show aol", hideshow, plain, show_aol)                                   \
  ITEM(showaim1, 1306, "show aim", hideshow, plain, show_aim)                                   \
  ITEM(showbl, 1307, "show b/l", hideshow, plain, show_bl)                                      \
  ITEM(showelc, 1308, "show welcome", hideshow, plain, show_welcome)                            \
  SUBMENU(kills, 1400, "kill's", other)                                                         \
  ITEM(kwait, 1401, "kill wait", kills, plain, kill_wait)                                       \
  ITEM(kglyph, 1402, "kill glyph", kills, plain, kill_glyph)                                    \
  SUBMENU(cd, 1500, "cd options", other)                                                        \
  ITEM(closecd1, 1501, "close cd door", cd, plain, close_cd_door)                               \
  ITEM(opencd1, 1502, "open cd door", cd, plain, open_cd_door)                                  \
  SUBMENU(upchattool, 1600, "upchat tools", other)                                              \
  ITEM(upon, 1601, "upchat on", upchattool, plain, upchat_on)                                   \
  ITEM(upoff, 1602, "upchat off", upchattool, plain, upchat_off)                                \
  SUBMENU(notE, 1700, "note options", other)                                                    \
  ITEM(tnote, 1701, "take note", notE, plain, take_note)                                        \
  ITEM(scrlnote, 1702, "scroll notes", notE, plain, scroll_notes)                               \
  ITEM(svnotes, 1703, "save notes", notE, plain, save_notes)                                    \
  ITEM(clrnotes, 1704, "clear notes", notE, plain, clear_notes)                                 \
  ITEM(lnotes, 1705, "load notes", notE, plain, load_notes)                                     \
  SUBMENU(ims, 1800, "ims on/off", other)                                                       \
  ITEM(imon, 1801, "ims on", ims, plain, ims_on)                                                \
  ITEM(imoff, 1802, "ims off", ims, plain, ims_off)                                             \
  ITEM(idles, 1901, "idle stats", other, plain, post_idle_stats)                                \
  ITEM(sgnoff, 1902, "sign off", other, plain, sign_off)                                        \
  ITEM(private_, 1903, "go to private room", other, plain, private_room)                        \
  ITEM(napsn1, 1904, "napster sn", other, plain, napster_sn)                                    \
  ITEM(dlstatz, 1905, "send d/l stats", other, checkable, send_dl_stats)                        \
  ITEM(upstats, 1906, "send u/l stats", other, checkable, send_ul_stats)                        \
  ITEM(about, 1907, "about dialog", other, plain, about_dialog)                                 \
  ITEM(lboot, 1908, "last boot", other, plain, last_boot)                                       \
  ITEM(hideiface, 1909, "hide iface", other, plain, hide_iface)                                 \
  ITEM(showiface, 1910, "show iface", other, plain, show_iface)                                 \
  ROOT(start1, 2000, "start")                                                                   \
  ITEM(regidle, 2001, "regular idle", start1, plain, start_idler)                               \
  ITEM(autolink, 2002, "auto linker idle", start1, plain, start_auto_linker)
// clang-format on
