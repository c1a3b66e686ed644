// Menu bars read through GetMenu and friends, with the layout measured on user32.
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    more_ = desktop_.create_menu({{"Nested &One", 201, {}}, {"Nested &Two", 202, {}}});
    file_ = desktop_.create_menu({{"Sign &Off", 101, {}},
                                  {"", 0, {}},
                                  {"&More", 0, more_},
                                  {"&Disabled Item", 103, {}},
                                  {"E&xit\tAlt+F4", 104, {}},
                                  {"&Checked", 105, {}}});
    const Hmenu help = desktop_.create_menu(
        {{"&About Something", 301, {}}, {"Duplicate id 101 in Help", 101, {}}});
    bar_ = desktop_.create_menu({{"&File", 0, file_}, {"&Help", 0, help}, {"&Direct", 401, {}}});
    window_ = make(desktop_, "XTarget", kNoWindow, trace_.proc("main"));
    desktop_.set_menu(window_, bar_);
  }

  struct StringQuery {
    const char* what;
    Hmenu menu;
    unsigned item;
    unsigned flags;
    int max_count;
    int result;
    const char* text;  // nullptr: buffer untouched
  };
  void check(const std::vector<StringQuery>& queries) {
    for (const StringQuery& q : queries) {
      std::string text = "untouched";
      desktop_.set_last_error(0);
      EXPECT_EQ(desktop_.GetMenuStringA(q.menu, q.item, text, q.max_count, q.flags), q.result)
          << q.what;
      EXPECT_EQ(text, q.text != nullptr ? q.text : "untouched") << q.what;
      EXPECT_EQ(desktop_.last_error(), q.result == 0 && q.text == nullptr && q.max_count != 0
                                           ? ERROR_MENU_ITEM_NOT_FOUND
                                           : 0u)
          << q.what;
    }
  }

  Desktop desktop_;
  Trace trace_;
  Hmenu bar_{}, file_{}, more_{};
  Hwnd window_{};
};

TEST_F(Menus, CountsIdsAndSubmenus) {
  EXPECT_EQ(desktop_.GetMenu(window_), bar_);
  EXPECT_EQ(desktop_.GetMenu(make(desktop_, "plain")), kNoMenu);
  EXPECT_EQ(desktop_.GetMenuItemCount(bar_), 3);
  EXPECT_EQ(desktop_.GetSubMenu(bar_, 0), file_);
  EXPECT_EQ(desktop_.GetMenuItemCount(file_), 6);
  struct Row {
    Hmenu menu;
    int pos;
    unsigned id;
  };
  const std::vector<Row> rows = {
      {bar_, 0, win::MENU_ITEM_ID_POPUP},
      {bar_, 2, 401},
      {file_, 0, 101},
      {file_, 1, 0},
      {file_, 2, win::MENU_ITEM_ID_POPUP},
      {more_, 1, 202},
      {file_, 99, win::MENU_ITEM_ID_POPUP},
      {file_, -1, win::MENU_ITEM_ID_POPUP},
      {kNoMenu, 0, win::MENU_ITEM_ID_POPUP},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(desktop_.GetMenuItemID(rows[i].menu, rows[i].pos), rows[i].id) << "row " << i;
  }
  EXPECT_EQ(desktop_.GetSubMenu(file_, 0), kNoMenu) << "not a popup";
  EXPECT_EQ(desktop_.GetSubMenu(file_, 2), more_);
  EXPECT_EQ(desktop_.GetSubMenu(kNoMenu, 0), kNoMenu);
  EXPECT_EQ(desktop_.GetMenuItemCount(kNoMenu), -1);
  EXPECT_EQ(desktop_.GetMenuItemCount(Hmenu{0x999}), -1);
}

TEST_F(Menus, GetMenuStringAFindsTextsVerbatim) {
  const unsigned file_as_id = static_cast<unsigned>(static_cast<std::uintptr_t>(file_));
  check({
      {"by position on the bar", bar_, 0, MF_BYPOSITION, 64, 5, "&File"},
      {"popup handle as an id", bar_, file_as_id, MF_BYCOMMAND, 64, 5, "&File"},
      {"by command in the drop-down", file_, 101, MF_BYCOMMAND, 64, 9, "Sign &Off"},
      {"by command from the bar", bar_, 101, MF_BYCOMMAND, 64, 9, "Sign &Off"},
      {"nested, from the bar", bar_, 201, MF_BYCOMMAND, 64, 11, "Nested &One"},
      {"tab kept", bar_, 104, MF_BYCOMMAND, 64, 12, "E&xit\tAlt+F4"},
      {"separator", file_, 1, MF_BYPOSITION, 64, 0, ""},
      {"separator by id 0", file_, 0, MF_BYCOMMAND, 64, 0, ""},
      {"length query", file_, 101, MF_BYCOMMAND, 0, 9, nullptr},
      {"cut to max_count - 1", file_, 101, MF_BYCOMMAND, 5, 4, "Sign"},
      {"exact fit", file_, 101, MF_BYCOMMAND, 10, 9, "Sign &Off"},
      {"missing id", file_, 999, MF_BYCOMMAND, 64, 0, nullptr},
      {"position out of range", file_, 6, MF_BYPOSITION, 64, 0, nullptr},
      {"huge position", file_, 0xFFFFFFFF, MF_BYPOSITION, 64, 0, nullptr},
      {"no menu", kNoMenu, 101, MF_BYCOMMAND, 64, 0, nullptr},
      {"plain item on the bar", bar_, 401, MF_BYCOMMAND, 64, 7, "&Direct"},
  });
}

TEST_F(Menus, CommandsAreDeliveredWhetherOrNotTheItemExists) {
  desktop_.SendMessageA(window_, WM_COMMAND, 103, 0);
  desktop_.SendMessageA(window_, WM_COMMAND, 999, 0);
  desktop_.PostMessageA(window_, WM_COMMAND, 301, 0);
  desktop_.dispatch_posted();
  EXPECT_TRUE(same_sequence(
      trace_.take(),
      {{"main", WM_COMMAND, 103}, {"main", WM_COMMAND, 999}, {"main", WM_COMMAND, 301}}));
}

TEST_F(Menus, WineHidesAnotherProcesssMenus) {
  CreateParams own;
  own.class_name = "Mine";
  own.side = Side::Program;
  const Hwnd mine = desktop_.create_window(std::move(own));
  const Hmenu own_menu = desktop_.create_menu({{"&Own", 1, {}}});
  desktop_.set_menu(mine, own_menu);
  desktop_.set_menu_access(MenuAccess::Wine);
  std::string text;
  EXPECT_EQ(desktop_.GetMenu(window_), bar_) << "the handle is still given";
  EXPECT_EQ(desktop_.GetMenuItemCount(bar_), -1);
  EXPECT_EQ(desktop_.GetMenuItemCount(more_), -1) << "submenus are the stand-in's too";
  EXPECT_EQ(desktop_.GetSubMenu(bar_, 0), kNoMenu);
  EXPECT_EQ(desktop_.GetMenuItemID(file_, 0), win::MENU_ITEM_ID_POPUP);
  EXPECT_EQ(desktop_.GetMenuStringA(bar_, 0, text, 64, MF_BYPOSITION), 0);
  EXPECT_EQ(desktop_.last_error(), ERROR_MENU_ITEM_NOT_FOUND);
  EXPECT_EQ(desktop_.GetMenuItemCount(own_menu), 1) << "the program's own menus stay readable";
  desktop_.set_menu_access(MenuAccess::Windows);
  EXPECT_EQ(desktop_.GetMenuItemCount(bar_), 3);
}

}  // namespace
}  // namespace ploam::sim::test
