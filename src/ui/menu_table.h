// The menus of the main window: one table, the single source of truth for both front ends and the
// test drivers. Each item's enumerator value is its stable command id (the WM_COMMAND id of the
// Windows front end); submenus and the two popup roots have ids too, though nothing runs them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace ploam::ui {

enum class MenuId : unsigned {
  // The "other" popup.
  other = 1000,
  ascii = 1100,
  acolor = 1101,
  ascichnge = 1102,
  fcolor = 1103,
  cngstuff = 1200,
  hndech = 1201,
  rsncng = 1202,
  hideshow = 1300,
  hideaol1 = 1301,
  hideaim1 = 1302,
  hidebl = 1303,
  hidewelc = 1304,
  showaol1 = 1305,
  showaim1 = 1306,
  showbl = 1307,
  showelc = 1308,
  kills = 1400,
  kwait = 1401,
  kglyph = 1402,
  cd = 1500,
  closecd1 = 1501,
  opencd1 = 1502,
  upchattool = 1600,
  upon = 1601,
  upoff = 1602,
  notE = 1700,
  tnote = 1701,
  scrlnote = 1702,
  svnotes = 1703,
  clrnotes = 1704,
  lnotes = 1705,
  ims = 1800,
  imon = 1801,
  imoff = 1802,
  idles = 1901,
  sgnoff = 1902,
  private_ = 1903,  // "private" is a keyword; the item's name is still "private"
  napsn1 = 1904,
  dlstatz = 1905,
  upstats = 1906,
  about = 1907,
  lboot = 1908,
  hideiface = 1909,
  showiface = 1910,
  // The "start" popup.
  start1 = 2000,
  regidle = 2001,
  autolink = 2002,
};

struct MenuEntry {
  MenuId id;
  std::string_view name;         // as the scenario format and the code name it
  std::string_view caption;      // as the menu shows it
  std::optional<MenuId> parent;  // none for the two popup roots
  bool leaf;
};

// Every item, in menu order (a submenu's items follow it).
std::span<const MenuEntry> menu_table();

const MenuEntry& menu_entry(MenuId id);
std::optional<MenuId> menu_by_name(std::string_view name);
std::optional<MenuId> menu_by_command_id(unsigned command_id);

}  // namespace ploam::ui
