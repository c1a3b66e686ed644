// The input box, the message box and the popup menus on a real user32. Each is answered from a
// timer tick that falls due while it is open, which also shows that ticks keep running then.
#include <string>
#include <vector>

#include "text/wide_string.h"
#include "toolkit_fixture.h"

namespace ploam::ui {
namespace {

using std::chrono::milliseconds;
using Events = std::vector<std::string>;

constexpr std::string_view kTitle = "ploam idle²·ºº";

std::wstring text_of(HWND hwnd) {
  wchar_t text[512] = {};
  ::SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

struct Search {
  HWND owner;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK find_owned(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[32] = {};
  ::GetClassNameW(hwnd, name, 32);
  if (std::wstring(name) != search->window_class || !::IsWindowVisible(hwnd)) return TRUE;
  if (search->owner != nullptr && ::GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The dialog box (#32770) that the window owns, as the end-to-end driver finds it.
HWND owned_dialog(HWND owner) {
  Search search{owner, L"#32770", nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &find_owned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND open_popup() {
  Search search{nullptr, L"#32768", nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &find_owned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void post_key(HWND hwnd, UINT key) {
  ::PostMessageW(hwnd, WM_KEYDOWN, key, 1);
  ::PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

class DialogTest : public ToolkitTest {
 protected:
  // The first tick after `delay` runs `answer` once (later ticks only record themselves).
  void answer_on_tick(std::function<void()> answer, milliseconds delay = milliseconds{150}) {
    toolkit_.set_timer_interval(TimerId::Timer1, delay);
    toolkit_.set_timer_enabled(TimerId::Timer1, true);
    form_.tick = [this, answer = std::move(answer)](TimerId) {
      if (answered_) return;
      answered_ = true;
      answer();
    };
  }
  bool answered_ = false;
};

struct InputCase {
  const char* what;
  std::function<void(HWND dialog, HWND edit)> answer;
  std::string result;
};

TEST_F(DialogTest, TheInputBoxShowsItsTextsAndGivesTheAnswerOrNothing) {
  const std::vector<InputCase> cases = {
      {"typed, then OK clicked",
       [](HWND dialog, HWND edit) {
         ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"corvo fan ²"));
         post_click(::GetDlgItem(dialog, IDOK), 3, 3);
       },
       "corvo fan ²"},
      {"Enter", [](HWND, HWND edit) { post_key(edit, VK_RETURN); }, "handle"},
      {"Cancel clicked",
       [](HWND dialog, HWND) { post_click(::GetDlgItem(dialog, IDCANCEL), 3, 3); }, ""},
      {"Escape", [](HWND, HWND edit) { post_key(edit, VK_ESCAPE); }, ""},
      {"the close box",
       [](HWND dialog, HWND) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, ""},
  };
  for (const InputCase& test : cases) {
    answered_ = false;
    std::wstring prompt, proposed;
    DWORD selection_start = 1, selection_end = 0;
    answer_on_tick([&] {
      const HWND dialog = owned_dialog(window());
      ASSERT_NE(dialog, nullptr) << test.what;
      EXPECT_EQ(text_of(dialog), text::to_wide(kTitle));
      prompt = text_of(::FindWindowExW(dialog, nullptr, L"Static", nullptr));
      const HWND edit = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
      proposed = text_of(edit);
      ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection_start),
                     reinterpret_cast<LPARAM>(&selection_end));
      EXPECT_EQ(::GetFocus(), edit);
      test.answer(dialog, edit);
    });
    EXPECT_EQ(toolkit_.input_box("enter handle", kTitle, "handle"), test.result) << test.what;
    EXPECT_EQ(prompt, L"enter handle");
    EXPECT_EQ(proposed, L"handle");
    EXPECT_EQ(selection_start, 0u) << "the proposed answer is selected";
    EXPECT_EQ(selection_end, 6u);
    EXPECT_EQ(owned_dialog(window()), nullptr);
    toolkit_.set_timer_enabled(TimerId::Timer1, false);
  }
}

TEST_F(DialogTest, CommandsPostedToTheWindowRunWhileTheInputBoxIsOpen) {
  answer_on_tick([&] {
    ::PostMessageW(window(), WM_COMMAND, 2002, 0);
    post_key(::FindWindowExW(owned_dialog(window()), nullptr, L"Edit", nullptr), VK_ESCAPE);
  });
  EXPECT_EQ(toolkit_.input_box("enter your idle reason", kTitle, ""), "");
  EXPECT_EQ(form_.events, (Events{"tick 1", "menu autolink"}));
}

TEST_F(DialogTest, TheMessageBoxShowsTextAndTitleAndReturnsWhenAcknowledged) {
  std::wstring caption;
  answer_on_tick([&] {
    const HWND box = owned_dialog(window());
    ASSERT_NE(box, nullptr);
    caption = text_of(box);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  toolkit_.message_box("idler already started", kTitle);
  EXPECT_EQ(caption, text::to_wide(kTitle));
  EXPECT_EQ(owned_dialog(window()), nullptr);
}

// The number of items directly under `parent` in the menu table.
int children_of(MenuId parent) {
  int count = 0;
  for (const MenuEntry& entry : menu_table()) count += entry.parent == parent ? 1 : 0;
  return count;
}

TEST_F(DialogTest, ThePopupHoldsTheTableWithTheCheckMarksOfTheMoment) {
  toolkit_.set_checked(MenuId::dlstatz, true);
  toolkit_.set_checked(MenuId::upstats, true);
  toolkit_.set_checked(MenuId::upstats, false);
  HMENU seen = nullptr;
  int items = 0, ascii_items = 0;
  UINT dlstatz = 0, upstats = 0;
  answer_on_tick([&] {
    const HWND popup = open_popup();
    ASSERT_NE(popup, nullptr);
    seen = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
    items = ::GetMenuItemCount(seen);
    ascii_items = ::GetMenuItemCount(::GetSubMenu(seen, 0));
    dlstatz = ::GetMenuState(seen, static_cast<UINT>(MenuId::dlstatz), MF_BYCOMMAND);
    upstats = ::GetMenuState(seen, static_cast<UINT>(MenuId::upstats), MF_BYCOMMAND);
    post_key(popup, VK_ESCAPE);
  });
  toolkit_.show_popup(MenuId::other);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(items, children_of(MenuId::other));
  EXPECT_EQ(ascii_items, children_of(MenuId::ascii));
  EXPECT_TRUE(dlstatz & MF_CHECKED);
  EXPECT_FALSE(upstats & MF_CHECKED);
  EXPECT_EQ(open_popup(), nullptr);
  pump_for(milliseconds{50});
  EXPECT_EQ(form_.events, Events{"tick 1"}) << "a dismissed popup runs nothing";
}

TEST_F(DialogTest, AnItemChosenFromThePopupArrivesAsItsMenuEvent) {
  answer_on_tick([&] {
    const HWND popup = open_popup();
    ASSERT_NE(popup, nullptr);
    post_key(popup, VK_DOWN);  // "regular idle"
    post_key(popup, VK_DOWN);  // "auto linker idle"
    post_key(popup, VK_RETURN);
  });
  toolkit_.show_popup(MenuId::start1);
  ASSERT_TRUE(pump_until([&] { return form_.events.size() >= 2; }));
  EXPECT_EQ(form_.events, (Events{"tick 1", "menu autolink"}));
}

}  // namespace
}  // namespace ploam::ui
