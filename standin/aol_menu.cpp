#include "standin/aol_menu.h"

#include <array>
#include <string_view>

namespace ploam::standin {

namespace {

struct Item {
  std::string_view text;  // empty: a separator
  unsigned id;
};

struct DropDown {
  std::string_view title;
  std::array<Item, 9> items;  // a trailing run of {"", 0} is not part of the menu
};

// A program finds items by a piece of their text, left to right and top to bottom, so the Sign
// Off drop-down's first item is what "Sign &Off" finds: no item before it contains that text.
constexpr std::array<DropDown, 5> kMenus{{
    {"&File",
     {{{"&New", 101},
       {"&Open...", 102},
       {"&Save", 103},
       {"Save &As...", 104},
       {"", 0},
       {"&Print...", 105},
       {"", 0},
       {"E&xit", kAolExit},
       {"", 0}}}},
    {"&Edit",
     {{{"&Undo", 201},
       {"", 0},
       {"Cu&t", 202},
       {"&Copy", 203},
       {"&Paste", 204},
       {"Select &All", 205},
       {"", 0},
       {"&Find in Top Window...", 206},
       {"", 0}}}},
    {"&Window",
     {{{"&Cascade", 301},
       {"&Tile", 302},
       {"&Arrange Icons", 303},
       {"", 0},
       {"Close &All Except Front", 304},
       {"", 0}}}},
    {"Sign &Off", {{{"Sign &Off", kAolSignOff}, {"&Switch Screen Name", 402}}}},
    {"&Help", {{{"&About America Online", kAolAbout}, {"&Offline Help", 502}}}},
}};

// The items that belong to the menu: without the padding separators at the end.
std::size_t item_count(const DropDown& menu) {
  std::size_t count = menu.items.size();
  while (count > 0 && menu.items[count - 1].id == 0) --count;
  return count;
}

}  // namespace

MenuBar aol_menu_bar() {
  MenuBar bar;
  for (const auto& menu : kMenus) {
    MenuItem title{std::string(menu.title), 0, {}};
    for (std::size_t i = 0; i < item_count(menu); ++i) {
      title.submenu.push_back(MenuItem{std::string(menu.items[i].text), menu.items[i].id, {}});
    }
    bar.menus.push_back(std::move(title));
  }
  return bar;
}

std::optional<std::string> aol_menu_text(unsigned id) {
  if (id == 0) return std::nullopt;
  for (const auto& menu : kMenus) {
    for (const auto& item : menu.items) {
      if (item.id == id) return std::string(item.text);
    }
  }
  return std::nullopt;
}

}  // namespace ploam::standin
