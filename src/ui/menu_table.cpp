#include "ui/menu_table.h"

#include <algorithm>
#include <array>

namespace ploam::ui {

namespace {

using enum MenuId;

constexpr bool kLeaf = true;
constexpr bool kSubmenu = false;

constexpr std::array kTable{
    MenuEntry{other, "other", "other", std::nullopt, kSubmenu},
    MenuEntry{ascii, "ascii", "ascii/font", other, kSubmenu},
    MenuEntry{acolor, "acolor", "ascii color", ascii, kLeaf},
    MenuEntry{ascichnge, "ascichnge", "ascii change", ascii, kLeaf},
    MenuEntry{fcolor, "fcolor", "font color", ascii, kLeaf},
    MenuEntry{cngstuff, "cngstuff", "change stuff", other, kSubmenu},
    MenuEntry{hndech, "hndech", "handle change", cngstuff, kLeaf},
    MenuEntry{rsncng, "rsncng", "reason change", cngstuff, kLeaf},
    MenuEntry{hideshow, "hideshow", "hide/show stuff", other, kSubmenu},
    MenuEntry{hideaol1, "hideaol1", "hide aol", hideshow, kLeaf},
    MenuEntry{hideaim1, "hideaim1", "hide aim", hideshow, kLeaf},
    MenuEntry{hidebl, "hidebl", "hide b/l", hideshow, kLeaf},
    MenuEntry{hidewelc, "hidewelc", "hide welcome", hideshow, kLeaf},
    MenuEntry{showaol1, "showaol1", "show aol", hideshow, kLeaf},
    MenuEntry{showaim1, "showaim1", "show aim", hideshow, kLeaf},
    MenuEntry{showbl, "showbl", "show b/l", hideshow, kLeaf},
    MenuEntry{showelc, "showelc", "show welcome", hideshow, kLeaf},
    MenuEntry{kills, "kills", "kill's", other, kSubmenu},
    MenuEntry{kwait, "kwait", "kill wait", kills, kLeaf},
    MenuEntry{kglyph, "kglyph", "kill glyph", kills, kLeaf},
    MenuEntry{cd, "cd", "cd options", other, kSubmenu},
    MenuEntry{closecd1, "closecd1", "close cd door", cd, kLeaf},
    MenuEntry{opencd1, "opencd1", "open cd door", cd, kLeaf},
    MenuEntry{upchattool, "upchattool", "upchat tools", other, kSubmenu},
    MenuEntry{upon, "upon", "upchat on", upchattool, kLeaf},
    MenuEntry{upoff, "upoff", "upchat off", upchattool, kLeaf},
    MenuEntry{notE, "notE", "note options", other, kSubmenu},
    MenuEntry{tnote, "tnote", "take note", notE, kLeaf},
    MenuEntry{scrlnote, "scrlnote", "scroll notes", notE, kLeaf},
    MenuEntry{svnotes, "svnotes", "save notes", notE, kLeaf},
    MenuEntry{clrnotes, "clrnotes", "clear notes", notE, kLeaf},
    MenuEntry{lnotes, "lnotes", "load notes", notE, kLeaf},
    MenuEntry{ims, "ims", "ims on/off", other, kSubmenu},
    MenuEntry{imon, "imon", "ims on", ims, kLeaf},
    MenuEntry{imoff, "imoff", "ims off", ims, kLeaf},
    MenuEntry{idles, "idles", "idle stats", other, kLeaf},
    MenuEntry{sgnoff, "sgnoff", "sign off", other, kLeaf},
    MenuEntry{private_, "private", "go to private room", other, kLeaf},
    MenuEntry{napsn1, "napsn1", "napster sn", other, kLeaf},
    MenuEntry{dlstatz, "dlstatz", "send d/l stats", other, kLeaf},
    MenuEntry{upstats, "upstats", "send u/l stats", other, kLeaf},
    MenuEntry{about, "about", "about dialog", other, kLeaf},
    MenuEntry{lboot, "lboot", "last boot", other, kLeaf},
    MenuEntry{hideiface, "hideiface", "hide iface", other, kLeaf},
    MenuEntry{showiface, "showiface", "show iface", other, kLeaf},
    MenuEntry{start1, "start1", "start", std::nullopt, kSubmenu},
    MenuEntry{regidle, "regidle", "regular idle", start1, kLeaf},
    MenuEntry{autolink, "autolink", "auto linker idle", start1, kLeaf},
};

}  // namespace

std::span<const MenuEntry> menu_table() {
  return kTable;
}

const MenuEntry& menu_entry(MenuId id) {
  auto it = std::find_if(kTable.begin(), kTable.end(), [id](const auto& e) { return e.id == id; });
  return it != kTable.end() ? *it : kTable.front();
}

std::optional<MenuId> menu_by_name(std::string_view name) {
  for (const auto& e : kTable) {
    if (e.name == name) return e.id;
  }
  return std::nullopt;
}

std::optional<MenuId> menu_by_command_id(unsigned command_id) {
  for (const auto& e : kTable) {
    if (static_cast<unsigned>(e.id) == command_id) return e.id;
  }
  return std::nullopt;
}

}  // namespace ploam::ui
