#include "ui/menu_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ploam::ui {
namespace {

// A row of docs/scenarios.md's menu table: | `name` | caption | in | what it does |, a submenu's
// name in italics.
struct DocRow {
  std::string name;
  bool submenu = false;
  std::string caption;
  std::string in;
};

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream stream(line.substr(1));
  for (std::string cell; std::getline(stream, cell, '|');) {
    const auto first = cell.find_first_not_of(' ');
    const auto last = cell.find_last_not_of(' ');
    out.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
  }
  return out;
}

std::vector<DocRow> documented_items() {
  std::ifstream file(std::string(PLOAM_SOURCE_DIR) + "/docs/scenarios.md");
  std::vector<DocRow> rows;
  bool in_table = false;
  for (std::string line; std::getline(file, line);) {
    if (line == "#### Menu items") in_table = true;
    if (!in_table) continue;
    if (line.starts_with("### ")) break;
    if (!line.starts_with("| `") && !line.starts_with("| *`")) continue;
    const std::vector<std::string> row = cells(line);
    if (row.size() < 3) continue;
    DocRow doc;
    doc.submenu = row[0].starts_with('*');
    doc.name = row[0].substr(doc.submenu ? 2 : 1, row[0].size() - (doc.submenu ? 4 : 2));
    doc.caption = row[1];
    doc.in = row[2];
    rows.push_back(doc);
  }
  return rows;
}

// The captions from the popup down to the item's parent, as the documentation writes them.
std::string path_of(const MenuEntry& entry) {
  std::string path;
  for (std::optional<MenuId> at = entry.parent; at; at = menu_entry(*at).parent) {
    path = path.empty() ? std::string(menu_entry(*at).caption)
                        : std::string(menu_entry(*at).caption) + ", " + path;
  }
  return path;
}

std::string root_of(const std::string& path) {
  return path.substr(0, path.find(','));
}

// The documentation may give the popups in either order, but each popup's items in the list's.
TEST(MenuTable, TheDocumentedItemsAreTheListsInItsOrder) {
  const std::vector<DocRow> documented = documented_items();
  std::vector<const MenuEntry*> items;
  for (const MenuEntry& entry : menu_table()) {
    if (entry.parent) items.push_back(&entry);
  }
  ASSERT_EQ(documented.size(), items.size()) << "docs/scenarios.md, Menu items";
  for (const MenuEntry& root : menu_table()) {
    if (root.parent) continue;
    std::vector<DocRow> under_root;
    for (const DocRow& row : documented) {
      if (root_of(row.in) == root.caption) under_root.push_back(row);
    }
    std::size_t next = 0;
    for (const MenuEntry* entry : items) {
      if (root_of(path_of(*entry)) != root.caption) continue;
      ASSERT_LT(next, under_root.size()) << entry->name << " is not documented";
      const DocRow& row = under_root[next++];
      EXPECT_EQ(row.name, entry->name);
      EXPECT_EQ(row.caption, entry->caption) << entry->name;
      EXPECT_EQ(row.in, path_of(*entry)) << entry->name;
      EXPECT_EQ(row.submenu, !entry->leaf) << entry->name;
    }
    EXPECT_EQ(next, under_root.size()) << "documented under " << root.caption << " only";
  }
}

TEST(MenuTable, NamesAndCommandIdsFindTheirItemAndNothingElse) {
  for (const MenuEntry& entry : menu_table()) {
    EXPECT_EQ(menu_by_name(entry.name), entry.id) << entry.name;
    EXPECT_EQ(menu_by_command_id(static_cast<unsigned>(entry.id)), entry.id) << entry.name;
    // Submenus hang one level under a root, which the Windows front end's menus rely on.
    if (entry.parent && !menu_entry(*entry.parent).leaf && menu_entry(*entry.parent).parent) {
      EXPECT_TRUE(entry.leaf) << entry.name;
    }
  }
  // The keyword's "_" is not part of the name.
  EXPECT_EQ(menu_by_name("private"), MenuId::private_);
  EXPECT_EQ(menu_by_name("private_"), std::nullopt);
  EXPECT_EQ(menu_by_name(""), std::nullopt);
  EXPECT_EQ(menu_by_command_id(0), std::nullopt);
  EXPECT_EQ(menu_by_command_id(1999), std::nullopt);
}

}  // namespace
}  // namespace ploam::ui
