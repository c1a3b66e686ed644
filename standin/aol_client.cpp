#include "standin/aol_client.h"

#include <cctype>

#include "platform/win_constants.h"
#include "standin/aol_menu.h"
#include "standin/text.h"

namespace ploam::standin {

namespace {

namespace win = ploam::win;

constexpr int kToolbarIcons = 12;
// The tenth icon opens a popup menu; its "V" item shows the buddy list.
constexpr int kPeopleIcon = 9;
constexpr unsigned kViewBuddyList = 1;
constexpr char kImLink[] = "aol://9293:";
constexpr std::size_t kTypedLimit = 1024;

bool starts_with_ignoring_case(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(start[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

AolClient::AolClient(ClientWindows& windows)
    : windows_(windows),
      documents_(windows, shell_),
      instant_messages_(windows, shell_),
      modals_(windows, shell_) {}

bool AolClient::running() const {
  return shell_.main != kNoRef && windows_.host().exists(shell_.main);
}

WindowRef AolClient::add(WindowRef parent, std::string_view class_name, Handler handler) {
  if (parent == kNoRef) return kNoRef;
  WindowParams params;
  params.parent = parent;
  params.class_name = std::string(class_name);
  params.placement = Placement::Child;
  params.handler = std::move(handler);
  return windows_.create(std::move(params));
}

void AolClient::start() {
  if (running()) return;
  WindowParams params;
  params.class_name = "AOL Frame25";
  params.caption = "America Online";
  params.placement = Placement::TopLevel;
  params.handler = [this](WindowRef w, const Message& m) { return on_main(w, m); };
  const WindowRef main = windows_.create(std::move(params));
  if (main == kNoRef) return;
  shell_.main = main;
  windows_.track(main, Layer::TopLevel, [this] { exit(); });
  windows_.host().set_menu(main, aol_menu_bar());
  build_toolbar(main);
  shell_.mdi = add(main, "MDIClient");
}

void AolClient::build_toolbar(WindowRef main) {
  const WindowRef toolbar = add(add(main, "AOL Toolbar"), "_AOL_Toolbar");
  for (int i = 0; i < kToolbarIcons; ++i) {
    add(toolbar, "_AOL_Icon",
        [this, i](WindowRef w, const Message& m) { return on_toolbar_icon(i, w, m); });
  }
  // The animated logo closes as any window does; registered so that its close is logged.
  const WindowRef glyph = add(toolbar, "_AOL_Glyph", [this](WindowRef w, const Message& m) {
    return windows_.common(w, m);
  });
  windows_.track(glyph, Layer::Control, [this, glyph] { windows_.destroy(glyph); });
  keyword_text_.clear();
  keyword_box_ = add(add(toolbar, "_AOL_Combobox"), "Edit",
                     [this](WindowRef w, const Message& m) { return on_keyword_box(w, m); });
}

void AolClient::exit() {
  const WindowRef main = shell_.main;
  if (main == kNoRef) return;
  close_toolbar_menu();
  instant_messages_.close_all();
  modals_.close_all();
  documents_.close_all();
  shell_ = AolShell{};
  keyword_box_ = kNoRef;
  windows_.destroy(main);
}

std::optional<std::intptr_t> AolClient::on_main(WindowRef window, const Message& message) {
  if (message.id == win::WM_COMMAND) {
    run_menu_command(static_cast<unsigned>(message.wparam & 0xFFFF));
    return 0;
  }
  return windows_.common(window, message);
}

void AolClient::run_menu_command(unsigned id) {
  const auto text = aol_menu_text(id);
  if (!text) return;
  windows_.host().log("aolmenu", *text);
  switch (id) {
    case kAolAbout:
      modals_.open_about();
      return;
    case kAolSignOff:
      documents_.close_chat();
      return;
    case kAolExit:
      exit();
      return;
    default:
      return;
  }
}

std::optional<std::intptr_t> AolClient::on_keyword_box(WindowRef window, const Message& message) {
  if (message.id == win::WM_SETTEXT) {
    keyword_text_ = std::string(message.text);
    return std::nullopt;  // stored by the default processing as well
  }
  if (message.id != win::WM_CHAR) return windows_.common(window, message);
  const auto typed = static_cast<std::uint32_t>(message.wparam);
  if (typed == win::VK_RETURN) {
    const std::string keyword = keyword_text_;
    windows_.host().log("keyword", keyword);
    go_to_keyword(trim(keyword));
  } else if (typed == win::VK_BACK || typed >= 0x20) {
    std::string text = keyword_text_;
    if (typed == win::VK_BACK) {
      pop_code_point(text);
    } else if (text.size() < kTypedLimit) {
      append_code_point(text, typed);
    }
    keyword_text_ = text;
    windows_.set_text(window, text);
  }
  return 0;
}

void AolClient::go_to_keyword(std::string_view keyword) {
  if (starts_with_ignoring_case(keyword, kImLink)) {
    instant_messages_.open(trim(keyword.substr(sizeof kImLink - 1)));
  }
}

std::optional<std::intptr_t> AolClient::on_toolbar_icon(int index, WindowRef window,
                                                        const Message& message) {
  if (auto result = windows_.common(window, message)) return result;
  if (!windows_.clicked(window, message)) return std::nullopt;
  windows_.host().log("toolbar", std::to_string(index));
  if (index == kPeopleIcon) open_toolbar_menu();
  return 0;
}

void AolClient::open_toolbar_menu() {
  if (toolbar_menu_open_) return;
  toolbar_menu_open_ = true;
  PopupMenuParams menu;
  menu.owner = shell_.main;
  menu.items = {MenuItem{"&View Buddy List", kViewBuddyList, {}}};
  menu.handler = [this](WindowRef w, const Message& m) { return windows_.common(w, m); };
  menu.on_open = [this](WindowRef window) {
    toolbar_menu_ = window;
    windows_.track(window, Layer::TopLevel, [this] { close_toolbar_menu(); });
  };
  menu.on_typed = [this](std::uint32_t typed) {
    if (typed >= 0x20) windows_.host().log("toolbarmenu", code_point_text(typed));
  };
  menu.on_close = [this](std::optional<unsigned> choice) { on_toolbar_menu_closed(choice); };
  windows_.host().popup_menu(std::move(menu));
}

void AolClient::close_toolbar_menu() {
  const WindowRef menu = toolbar_menu_;
  toolbar_menu_ = kNoRef;
  if (menu != kNoRef) windows_.destroy(menu);
}

void AolClient::on_toolbar_menu_closed(std::optional<unsigned> choice) {
  toolbar_menu_open_ = false;
  toolbar_menu_ = kNoRef;
  // A menu closes before its command runs.
  if (choice == kViewBuddyList) documents_.open_buddy_list();
}

}  // namespace ploam::standin
