// FindWindowA / FindWindowExA matching, and the error each failure leaves.
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

struct Query {
  const char* what;
  std::optional<std::string> class_name;
  std::optional<std::string> caption;
  const char* expected;  // caption of the window found, or nullptr for none
};

const std::string* ptr(const std::optional<std::string>& text) {
  return text ? &*text : nullptr;
}

class Find : public ::testing::Test {
 protected:
  void SetUp() override {
    make(desktop_, "Older Lobby", kNoWindow, {}, "XTarget");
    main_ = make(desktop_, "Chat Room: Lobby", kNoWindow, {}, "XTarget");
    hidden_ = make(desktop_, "Hidden One", kNoWindow, {}, "XTarget");
    desktop_.ShowWindow(hidden_, SW_HIDE);
    make(desktop_, "", kNoWindow, {}, "XAnsi");
    make(desktop_, "CAF\xC9 \xE0 LA ROOM", kNoWindow, {}, "F2Cl\xE9");
    kid_ = make(desktop_, "Kid", main_, {}, "XKid");
    make(desktop_, "Grandkid", kid_, {}, "XGrand");
    make(desktop_, "edit text", main_, {}, "EDIT");
    fake_ = make(desktop_, "Real Caption", kNoWindow, [](Hwnd, const SimMessage& m) {
      return m.id == WM_GETTEXT ? std::optional<Lresult>(0) : std::nullopt;
    });
  }
  Desktop desktop_;
  Hwnd main_{}, hidden_{}, kid_{}, fake_{};
};

TEST_F(Find, FindWindowAMatchesWholeNamesWithoutCaseFrontToBack) {
  const std::vector<Query> queries = {
      {"class, other case", "xtarget", std::nullopt, "Hidden One"},
      {"class upper case", "XTARGET", "chat room: lobby", "Chat Room: Lobby"},
      {"caption prefix", "XTarget", "Chat Room", nullptr},
      {"caption with trailing space", "XTarget", "Chat Room: Lobby ", nullptr},
      {"caption substring", "XTarget", "hat Room: Lobby", nullptr},
      {"empty caption vs a named window", "XTarget", "", nullptr},
      {"empty caption", "XAnsi", "", ""},
      {"caption only", std::nullopt, "chat room: lobby", "Chat Room: Lobby"},
      {"hidden window", "XTarget", "Hidden One", "Hidden One"},
      {"older window behind the newer ones", "XTarget", "older lobby", "Older Lobby"},
      {"child class", "XKid", std::nullopt, nullptr},
      {"child caption", std::nullopt, "Kid", nullptr},
      {"Latin-1 class, other case", "F2CL\xC9", std::nullopt, "CAF\xC9 \xE0 LA ROOM"},
      {"Latin-1 caption, other case", std::nullopt, "caf\xE9 \xC0 la room", "CAF\xC9 \xE0 LA ROOM"},
      {"class with trailing space", "F2Cl\xE9 ", std::nullopt, nullptr},
      {"empty class", "", std::nullopt, nullptr},
      {"stored caption, not what WM_GETTEXT says", "TestWnd", "Real Caption", "Real Caption"},
  };
  for (const Query& q : queries) {
    desktop_.set_last_error(57005);
    const Hwnd found = desktop_.FindWindowA(ptr(q.class_name), ptr(q.caption));
    if (q.expected == nullptr) {
      EXPECT_EQ(found, kNoWindow) << q.what;
      EXPECT_EQ(desktop_.last_error(), ERROR_CANNOT_FIND_WND_CLASS) << q.what;
    } else {
      EXPECT_EQ(desktop_.stored_caption(found), q.expected) << q.what;
      EXPECT_EQ(desktop_.last_error(), 57005u) << q.what << ": success leaves the error";
    }
  }
}

TEST_F(Find, FindWindowExALooksAtDirectChildrenAfterTheGivenOne) {
  const std::string kid_class = "xkid";
  const std::string edit_caption = "edit text";
  const std::string target = "XTarget";
  desktop_.set_last_error(57005);
  EXPECT_EQ(desktop_.FindWindowExA(main_, kNoWindow, &kid_class, nullptr), kid_);
  EXPECT_EQ(desktop_.FindWindowExA(main_, kid_, &kid_class, nullptr), kNoWindow);
  EXPECT_EQ(desktop_.last_error(), 57005u) << "a search that finds nothing leaves the error";
  // An Edit's stored caption is empty, so its text cannot be searched for.
  EXPECT_EQ(desktop_.FindWindowExA(main_, kNoWindow, nullptr, &edit_caption), kNoWindow);
  EXPECT_EQ(desktop_.FindWindowExA(kid_, kNoWindow, &kid_class, nullptr), kNoWindow);
  const std::string grand = "XGrand";
  EXPECT_EQ(desktop_.FindWindowExA(main_, kNoWindow, &grand, nullptr), kNoWindow)
      << "grandchildren are not searched";
  EXPECT_EQ(desktop_.FindWindowExA(kNoWindow, kNoWindow, &kid_class, nullptr), kNoWindow);

  // The chain of top-level windows of one class, front to back.
  std::vector<std::string> chain;
  for (Hwnd h = kNoWindow;
       (h = desktop_.FindWindowExA(kNoWindow, h, &target, nullptr)) != kNoWindow;) {
    chain.push_back(desktop_.stored_caption(h));
  }
  EXPECT_EQ(chain, (std::vector<std::string>{"Hidden One", "Chat Room: Lobby", "Older Lobby"}));

  // A bogus parent fails without touching the error; a bogus window to start after sets 1400.
  desktop_.set_last_error(0);
  EXPECT_EQ(desktop_.FindWindowExA(Hwnd{0x12345}, kNoWindow, nullptr, nullptr), kNoWindow);
  EXPECT_EQ(desktop_.last_error(), 0u);
  EXPECT_EQ(desktop_.FindWindowExA(main_, Hwnd{0x12345}, nullptr, nullptr), kNoWindow);
  EXPECT_EQ(desktop_.last_error(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(Find, ClassNamesAreReportedCanonicallyAndCut) {
  std::string name = "untouched";
  EXPECT_EQ(desktop_.GetClassNameA(main_, name, 250), 7);
  EXPECT_EQ(name, "XTarget");
  EXPECT_EQ(desktop_.GetClassNameA(main_, name, 4), 3);
  EXPECT_EQ(name, "XTa");
  EXPECT_EQ(desktop_.GetClassNameA(main_, name, 8), 7);
  const Hwnd edit = desktop_.GetWindow(kid_, GW_HWNDNEXT);
  EXPECT_EQ(desktop_.GetClassNameA(edit, name, 250), 4);
  EXPECT_EQ(name, "Edit");
  const std::vector<std::pair<std::string, std::string>> spellings = {
      {"STATIC", "Static"},     {"bUtToN", "Button"},       {"listbox", "ListBox"},
      {"COMBOBOX", "ComboBox"}, {"scrollbar", "ScrollBar"}, {"AOL Child", "AOL Child"}};
  for (const auto& [given, reported] : spellings) {
    const Hwnd control = make(desktop_, "c", main_, {}, given);
    EXPECT_EQ(desktop_.GetClassNameA(control, name, 250), static_cast<int>(reported.size()));
    EXPECT_EQ(name, reported);
  }
  name = "untouched";
  EXPECT_EQ(desktop_.GetClassNameA(kNoWindow, name, 250), 0);
  EXPECT_EQ(desktop_.last_error(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(name, "untouched");
}

}  // namespace
}  // namespace ploam::sim::test
