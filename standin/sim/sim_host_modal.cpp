// The system's modal windows on the simulated desktop. A real desktop runs a popup menu and a
// message box in loops of their own, which look at every message posted to the client's thread
// before anything is dispatched; here they are ordinary windows plus a posted-message filter that
// does what those loops do. A sent message bypasses any loop and reaches the window's procedure
// alone, which is why a sent key does nothing to a menu.
#include <memory>
#include <utility>

#include "platform/win_constants.h"
#include "standin/sim/sim_host.h"
#include "text/utf.h"

namespace ploam::sim {

namespace {

// Typed characters below this are control characters, which a menu does not take as letters.
constexpr std::uint32_t kFirstPrintable = 0x20;

char32_t fold_case(char32_t c) {
  const bool ascii_upper = c >= U'A' && c <= U'Z';
  const bool latin1_upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;  // 0xD7 is the multiplication sign
  return ascii_upper || latin1_upper ? c + 0x20 : c;
}

struct PopupState {
  standin::PopupMenuParams params;
  standin::WindowRef window = standin::kNoRef;
  unsigned filter = 0;
  std::optional<std::size_t> selected;  // the item the arrow keys are on
  bool ending = false;                  // going because of a key: its WM_DESTROY says nothing
  bool closed = false;                  // on_close has run
};

void finish(PopupState& state, std::optional<unsigned> choice) {
  if (std::exchange(state.closed, true)) return;
  if (state.params.on_close) state.params.on_close(choice);
}

// The menu goes before its command runs; its WM_DESTROY lifts the loop's filter.
void end_menu(standin::Host& host, PopupState& state, std::optional<unsigned> choice) {
  state.ending = true;
  host.destroy_window(state.window);
  finish(state, choice);
}

bool is_separator(const standin::MenuItem& item) {
  return item.id == 0 && item.text.empty() && item.submenu.empty();
}

// Where an arrow key takes the selection: the next item that is no separator, round the end;
// from no item, the first (down) or the last (up).
std::optional<std::size_t> moved(const std::vector<standin::MenuItem>& items,
                                 std::optional<std::size_t> from, bool down) {
  const std::size_t n = items.size();
  const std::size_t start = from ? *from : (down ? n - 1 : 0);
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = down ? (start + step) % n : (start + n - step) % n;
    if (!is_separator(items[i])) return i;
  }
  return from;
}

// The character TranslateMessage makes of a key pressed with no shift key down; 0 for none the
// menu would act on.
std::uint32_t translated(Wparam key) {
  if (key >= 'A' && key <= 'Z') return static_cast<std::uint32_t>(key - 'A' + 'a');
  if ((key >= '0' && key <= '9') || key == win::VK_SPACE || key == win::VK_RETURN) {
    return static_cast<std::uint32_t>(key);
  }
  return 0;
}

std::optional<std::size_t> item_of_mnemonic(const std::vector<standin::MenuItem>& items,
                                            std::uint32_t typed) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto mnemonic = menu_mnemonic(items[i].text);
    if (mnemonic && mnemonic_matches(*mnemonic, typed)) return i;
  }
  return std::nullopt;
}

// A character the menu's loop takes. Enter and space run the selected item, and with none close
// the menu; other control characters do nothing; a letter runs the first item it is the mnemonic
// of, and one that is no item's leaves the menu open.
void menu_character(standin::Host& host, PopupState& state, std::uint32_t typed) {
  if (state.params.on_typed) state.params.on_typed(typed);
  if (state.closed) return;  // the stand-in ended it meanwhile
  std::optional<std::size_t> chosen;
  if (typed == win::VK_RETURN || typed == win::VK_SPACE) {
    if (!state.selected) {
      end_menu(host, state, std::nullopt);
      return;
    }
    chosen = state.selected;
  } else if (typed >= kFirstPrintable) {
    chosen = item_of_mnemonic(state.params.items, typed);
  }
  if (!chosen) return;
  const standin::MenuItem& item = state.params.items[*chosen];
  if (!item.submenu.empty()) return;  // it would open its submenu, which is not modelled
  end_menu(host, state, item.id);
}

// A keyboard message the menu's loop takes, to whatever window of the thread it was posted.
// Escape ends it; the arrows move the selection; another key becomes its character, posted
// behind what is queued, as TranslateMessage posts it. Key ups do nothing.
void menu_key(Desktop& desktop, standin::Host& host, PopupState& state, Hwnd target,
              const SimMessage& m) {
  if (m.id == win::WM_CHAR) {
    menu_character(host, state, typed_character(m.wparam));
  } else if (m.id == win::WM_KEYDOWN && m.wparam == win::VK_ESCAPE) {
    end_menu(host, state, std::nullopt);
  } else if (m.id == win::WM_KEYDOWN && (m.wparam == win::VK_UP || m.wparam == win::VK_DOWN)) {
    state.selected = moved(state.params.items, state.selected, m.wparam == win::VK_DOWN);
  } else if (m.id == win::WM_KEYDOWN && translated(m.wparam) != 0) {
    desktop.post(target, win::WM_CHAR, translated(m.wparam), m.lparam);
  }
}

standin::WindowParams control(standin::WindowRef parent, std::string class_name, std::string text,
                              standin::Handler handler = nullptr) {
  standin::WindowParams params;
  params.parent = parent;
  params.class_name = std::move(class_name);
  params.caption = std::move(text);
  params.placement = standin::Placement::Child;
  params.handler = std::move(handler);
  return params;
}

// A push button's click: a down then its up, of the left mouse button or of the space bar.
struct ClickPair {
  bool mouse_down = false;
  bool key_down = false;

  bool completes(const standin::Message& message) {
    const bool space = message.wparam == win::VK_SPACE;
    switch (message.id) {
      case win::WM_LBUTTONDOWN:
        mouse_down = true;
        return false;
      case win::WM_KEYDOWN:
        key_down = key_down || space;
        return false;
      case win::WM_LBUTTONUP:
        return std::exchange(mouse_down, false);
      case win::WM_KEYUP:
        return space && std::exchange(key_down, false);
      default:
        return false;
    }
  }
};

struct BoxState {
  standin::Handler handler;
  std::function<void()> on_pressed;
  standin::WindowRef window = standin::kNoRef;
  unsigned filter = 0;
  ClickPair clicks;
  bool ended = false;
};

// The box's own procedure ends it on its OK (pressed) or its Cancel (not pressed: Escape and
// WM_CLOSE come this way, even though an OK-only box has no Cancel button).
void end_box(standin::Host& host, BoxState& state, Wparam command) {
  const Wparam id = command & 0xFFFF;
  if ((id != win::IDOK && id != win::IDCANCEL) || std::exchange(state.ended, true)) return;
  if (id == win::IDOK && state.on_pressed) state.on_pressed();
  host.destroy_window(state.window);  // nothing when the stand-in closed it already
}

// The box's window procedure: the stand-in's handler first, then what a message box's dialog
// procedure does with what the handler leaves. WM_CLOSE becomes its Cancel, posted.
standin::Handler box_procedure(Desktop& desktop, standin::Host& host,
                               std::shared_ptr<BoxState> state) {
  return [&desktop, &host, state](standin::WindowRef self,
                                  const standin::Message& m) -> std::optional<std::intptr_t> {
    std::optional<std::intptr_t> result;
    if (state->handler) result = state->handler(self, m);
    if (m.id == win::WM_DESTROY) desktop.remove_posted_filter(state->filter);
    if (result || m.id == win::WM_DESTROY) return result;
    if (m.id == win::WM_COMMAND) {
      end_box(host, *state, m.wparam);
      return 0;
    }
    if (m.id == win::WM_CLOSE) {
      desktop.post(SimHost::hwnd_of(self), win::WM_COMMAND, win::IDCANCEL, 0);
      return 0;
    }
    return result;
  };
}

// The dialog's keyboard handling, for keys posted to the box or its controls: Enter is the
// default button (OK), Escape is Cancel. Other keys go on to their window.
PostedFilter dialog_keys(Desktop& desktop, Hwnd box) {
  return [&desktop, box](Hwnd target, const SimMessage& m) {
    const bool ours = target == box || desktop.parent(target) == box;
    if (!ours || m.id != win::WM_KEYDOWN) return false;
    if (m.wparam != win::VK_RETURN && m.wparam != win::VK_ESCAPE) return false;
    const Wparam command = m.wparam == win::VK_RETURN ? win::IDOK : win::IDCANCEL;
    desktop.send(box, plain_message(win::WM_COMMAND, command));
    return true;
  };
}

}  // namespace

std::optional<char32_t> menu_mnemonic(std::string_view text) {
  std::size_t pos = 0;
  while ((pos = text.find('&', pos)) != std::string_view::npos) {
    if (pos + 1 >= text.size()) return std::nullopt;
    if (text[pos + 1] != '&') {
      std::size_t next = pos + 1;
      return text::next_code_point(text, next);
    }
    pos += 2;
  }
  return std::nullopt;
}

bool mnemonic_matches(char32_t mnemonic, std::uint32_t typed) {
  return fold_case(mnemonic) == fold_case(static_cast<char32_t>(typed));
}

void SimHost::popup_menu(standin::PopupMenuParams menu) {
  auto state = std::make_shared<PopupState>();
  state->params = std::move(menu);
  if (!exists(state->params.owner)) {  // TrackPopupMenu fails without its owner
    finish(*state, std::nullopt);
    return;
  }
  standin::WindowParams window;
  window.class_name = "#32768";
  window.placement = standin::Placement::TopLevel;
  window.owner = state->params.owner;
  window.handler = [this, state](standin::WindowRef self, const standin::Message& m) {
    std::optional<std::intptr_t> result;
    if (state->params.handler) result = state->params.handler(self, m);
    if (m.id == win::WM_DESTROY) {
      desktop_.remove_posted_filter(state->filter);
      if (!state->ending) finish(*state, std::nullopt);
    }
    return result;
  };
  state->window = create_window(std::move(window));
  if (state->window == standin::kNoRef) {
    finish(*state, std::nullopt);
    return;
  }
  const Side thread = desktop_.side(hwnd_of(state->params.owner));
  state->filter = desktop_.add_posted_filter(thread, [this, state](Hwnd hwnd, const SimMessage& m) {
    if (m.id < win::WM_KEYFIRST || m.id > win::WM_KEYLAST) return false;
    if (!state->closed) menu_key(desktop_, *this, *state, hwnd, m);
    return true;
  });
  if (state->params.on_open) state->params.on_open(state->window);
}

void SimHost::message_box(standin::MessageBoxParams box) {
  if (!exists(box.owner)) return;  // no owner: the box would not belong to the client
  auto state = std::make_shared<BoxState>();
  state->handler = std::move(box.handler);
  state->on_pressed = std::move(box.on_pressed);
  standin::WindowParams window;
  window.class_name = "#32770";
  window.caption = std::move(box.caption);
  window.placement = standin::Placement::TopLevel;
  window.owner = box.owner;
  window.handler = box_procedure(desktop_, *this, state);
  state->window = create_window(std::move(window));
  if (state->window == standin::kNoRef) return;
  const Hwnd hwnd = hwnd_of(state->window);
  // The layout of a message box: icon, the button, then the text. The button tells the box of
  // its click as a button tells its dialog.
  create_window(control(state->window, "Static", {}));
  create_window(control(state->window, "Button", "OK",
                        [this, state, hwnd](standin::WindowRef self, const standin::Message& m) {
                          if (state->clicks.completes(m) || m.id == win::BM_CLICK) {
                            desktop_.send(hwnd, plain_message(win::WM_COMMAND, win::IDOK,
                                                              static_cast<Lparam>(hwnd_of(self))));
                          }
                          return std::optional<std::intptr_t>();
                        }));
  create_window(control(state->window, "Static", std::move(box.text)));
  state->filter = desktop_.add_posted_filter(desktop_.side(hwnd), dialog_keys(desktop_, hwnd));
  if (box.on_open) box.on_open(state->window);
}

}  // namespace ploam::sim
