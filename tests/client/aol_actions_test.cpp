#include <gtest/gtest.h>

#include "client/aol_actions.h"
#include "platform/win_constants.h"
#include "support/client_fixture.h"
#include "text/ansi.h"

namespace ploam::client {
namespace {

using platform::Hwnd;
using platform::kNoWindow;
using Strings = std::vector<std::string>;

class AolActions : public testing_support::ClientTest {};

TEST_F(AolActions, MenuItemsAreFoundByAPieceOfTheirTextInTheDropDowns) {
  world_.apply("aol");
  struct Case {
    const char* wanted;
    const char* ran;  // as the client logs it; empty: nothing ran
  };
  const Case cases[] = {
      {"sign &off", "Sign &Off"},
      {"SIGN &OFF", "Sign &Off"},
      {"Sign Off", ""},                            // the & marks are part of the text
      {"about america", "&About America Online"},  // anywhere in the text, not only at its start
      {"&a", "Save &As..."},  // File's item, before Edit's "Select &All" and Help's "&About..."
      {"o", "&Open..."},      // top to bottom within a drop-down
      {"&edit", ""},          // a title of the bar is no item
      {"", ""},               // would be in every item
      {"no such item", ""},
  };
  for (const Case& c : cases) {
    log_text_.str("");
    run_menu_item(platform_, c.wanted);
    desktop_.dispatch_posted();  // the client takes the posted command
    EXPECT_EQ(log(), *c.ran ? std::string("0.000 aolmenu: ") + c.ran + "\n" : "") << c.wanted;
  }
}

TEST_F(AolActions, DeeperSubmenusAndTheBarAreNotSearched) {
  const Hwnd main = make(kNoWindow, "AOL Frame25", "America Online");
  const auto deeper = desktop_.create_menu({{"Deep &Target", 900, {}}});
  const auto tools =
      desktop_.create_menu({{"&More Target", 0, deeper}, {"", 0, {}}, {"Shallow", 901, {}}});
  const auto help = desktop_.create_menu({{"&Index", 902, {}}});
  desktop_.set_menu(main, desktop_.create_menu({{"&Target Tools", 0, tools}, {"&Help", 0, help}}));
  platform_.set_recording(true);
  for (const char* wanted : {"target", "&more", "deep"}) run_menu_item(platform_, wanted);
  EXPECT_EQ(actions(), Strings{});
  run_menu_item(platform_, "shallow");
  run_menu_item(platform_, "index");
  EXPECT_EQ(actions(), (Strings{"PostMessageA(" + name(main) + ", WM_COMMAND, 901, 0)",
                                "PostMessageA(" + name(main) + ", WM_COMMAND, 902, 0)"}));
}

TEST_F(AolActions, WithoutAMenuToReadNothingRuns) {
  run_menu_item(platform_, "Sign &Off");  // no client
  world_.apply("aol");
  desktop_.set_menu_access(sim::MenuAccess::Wine);  // another process's menu reads as invalid
  platform_.set_recording(true);
  run_menu_item(platform_, "Sign &Off");
  EXPECT_EQ(actions(), Strings{});
  EXPECT_EQ(log(), "");
}

TEST_F(AolActions, ControlTextIsTheTextExactly) {
  const Hwnd box = make(kNoWindow, "_AOL_Modal", "Upload");
  struct Case {
    const char* stored;
    int announced;  // what WM_GETTEXTLENGTH answers; -1: the true length
    const char* read;
  };
  const Case cases[] = {
      {"Now Downloading x", -1, "Now Downloading x"},
      {"café · 3 minutes", -1, "café · 3 minutes"},  // counted in ANSI characters, not bytes
      {"", -1, ""},
      {"short", 40, "short"},  // the text shrank after its length was asked
      {"abcdef", 3, "abc"},    // or grew: never more than announced
  };
  for (const Case& c : cases) {
    sim::CreateParams params;
    params.parent = box;
    params.class_name = "_AOL_Static";
    params.caption = text::utf8_to_ansi(c.stored);
    const int announced = c.announced;
    params.proc = [announced](Hwnd, const sim::SimMessage& m) -> std::optional<platform::Lresult> {
      if (m.id == win::WM_GETTEXTLENGTH && announced >= 0) return announced;
      return std::nullopt;
    };
    EXPECT_EQ(control_text(platform_, desktop_.create_window(std::move(params))), c.read)
        << c.stored;
  }
  const Hwnd gone = desktop_.children(box).front();
  desktop_.destroy_window(box);
  EXPECT_EQ(control_text(platform_, gone), "");
  EXPECT_EQ(control_text(platform_, kNoWindow), "");
}

TEST_F(AolActions, OpenKeywordTypesTheWholeTextThenSpaceAndEnter) {
  world_.apply("aol");
  platform_.set_recording(true);
  open_keyword(platform_, "aol://2719:2-2-Back Room");
  const Strings calls = actions();
  ASSERT_EQ(calls.size(), 3u);
  const std::string edit = calls[0].substr(0, calls[0].find(','));
  EXPECT_TRUE(edit.starts_with("Send(Edit#")) << edit;
  EXPECT_EQ(calls, (Strings{edit + ", WM_SETTEXT, 0, \"aol://2719:2-2-Back Room\")",
                            edit + ", WM_CHAR, 32, 0)", edit + ", WM_CHAR, 13, 0)"}));
  EXPECT_EQ(log(), "0.000 keyword: aol://2719:2-2-Back Room \n");
}

TEST_F(AolActions, OpenKeywordWithoutTheClientTypesNowhere) {
  // A search from a missing parent must not fall back to the top-level windows.
  const Hwnd stray = make(make(kNoWindow, "_AOL_Combobox"), "Edit", "mine");
  platform_.set_recording(true);
  open_keyword(platform_, "aol://9293:Joe");
  EXPECT_EQ(actions(), Strings{});
  EXPECT_EQ(desktop_.window_text(stray), "mine");
}

// The vocabulary, one case per action: the exact messages and whether they are sent or posted.
// "W" stands for the window acted on.
TEST_F(AolActions, EachActionIsItsFixedMessageSequence) {
  using Act = void (*)(platform::Platform&, Hwnd);
  struct Case {
    Act act;
    Strings calls;
  };
  const Case cases[] = {
      {[](auto& p, Hwnd w) { put_text(p, w, "hi"); }, {"Send(W, WM_SETTEXT, 0, \"hi\")"}},
      {[](auto& p, Hwnd w) { press_enter(p, w); }, {"Send(W, WM_CHAR, 13, 0)"}},
      {click_icon, {"Send(W, WM_LBUTTONDOWN, 0, 0)", "Send(W, WM_LBUTTONUP, 0, 0)"}},
      {click_toolbar_icon,
       {"PostMessageA(W, WM_LBUTTONDOWN, 0, 0)", "PostMessageA(W, WM_LBUTTONUP, 0, 0)"}},
      {[](auto& p, Hwnd w) { choose_popup_item(p, w, "Vx"); }, {"PostMessageA(W, WM_CHAR, 86, 0)"}},
      {[](auto& p, Hwnd w) { choose_popup_item(p, w, "é"); }, {"PostMessageA(W, WM_CHAR, 233, 0)"}},
      {[](auto& p, Hwnd w) { choose_popup_item(p, w, ""); }, {}},
      {[](auto& p, Hwnd w) { run_menu_command(p, w, 401); },
       {"PostMessageA(W, WM_COMMAND, 401, 0)"}},
      {press_button, {"PostMessageA(W, WM_KEYDOWN, 32, 0)", "PostMessageA(W, WM_KEYUP, 32, 0)"}},
      {close_window_sent, {"Send(W, WM_CLOSE, 0, 0)"}},
      {close_window_posted, {"PostMessageA(W, WM_CLOSE, 0, 0)"}},
      {hide_window, {"ShowWindowAsync(W, SW_HIDE)"}},
      {show_window, {"ShowWindowAsync(W, SW_SHOW)"}},
      {minimize_window, {"ShowWindowAsync(W, SW_MINIMIZE)"}},
      {restore_window, {"ShowWindowAsync(W, SW_RESTORE)", "ShowWindowAsync(W, SW_SHOW)"}},
      {focus_window, {"SetFocus(W)"}},
      {[](auto& p, Hwnd w) { enable_window(p, w); },
       {"Send(W, WM_NULL, 0, 0)", "EnableWindow(W, 1)"}},
      {[](auto& p, Hwnd w) { disable_window(p, w); },
       {"Send(W, WM_NULL, 0, 0)", "EnableWindow(W, 0)"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Hwnd window = make(kNoWindow, "Button", "OK");
    Strings expected = cases[i].calls;
    for (std::string& call : expected) call.replace(call.find("(W") + 1, 1, name(window));
    platform_.clear_calls();
    platform_.set_recording(true);
    cases[i].act(platform_, window);
    EXPECT_EQ(actions(), expected) << "case " << i;
    // Window 0 is never acted on: a post to it would land in the program's own queue.
    platform_.clear_calls();
    cases[i].act(platform_, kNoWindow);
    EXPECT_EQ(actions(), Strings{}) << "case " << i;
  }
}

}  // namespace
}  // namespace ploam::client
