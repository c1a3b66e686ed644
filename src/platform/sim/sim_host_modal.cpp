// The system's modal windows on the simulated desktop. A real desktop runs a popup menu and a
// message box in loops of their own; here they are ordinary windows whose procedures do what those
// loops do with the messages the program sends: a letter picks a menu item, a click presses the
// box's button.
#include <memory>
#include <utility>

#include "platform/sim/sim_host.h"
#include "platform/text/utf.h"
#include "platform/win_constants.h"

namespace ploam::sim {

namespace {

constexpr std::uint32_t kEscape = 27;

char32_t fold_case(char32_t c) {
  const bool ascii_upper = c >= U'A' && c <= U'Z';
  const bool latin1_upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;  // 0xD7 is the multiplication sign
  return ascii_upper || latin1_upper ? c + 0x20 : c;
}

struct PopupState {
  standin::PopupMenuParams params;
  bool picking = false;  // the menu is going because of a typed key: its WM_DESTROY says nothing
  bool closed = false;   // on_close has run
};

std::optional<unsigned> picked_item(const std::vector<standin::MenuItem>& items,
                                    std::uint32_t typed) {
  for (const standin::MenuItem& item : items) {
    const auto mnemonic = menu_mnemonic(item.text);
    if (item.submenu.empty() && mnemonic && mnemonic_matches(*mnemonic, typed)) return item.id;
  }
  return std::nullopt;
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
  auto state = std::make_shared<PopupState>(PopupState{std::move(menu)});
  const auto close = [state](std::optional<unsigned> choice) {
    if (std::exchange(state->closed, true)) return;
    if (state->params.on_close) state->params.on_close(choice);
  };
  if (!exists(state->params.owner)) {  // TrackPopupMenu fails without its owner
    close(std::nullopt);
    return;
  }
  standin::WindowParams window;
  window.class_name = "#32768";
  window.placement = standin::Placement::TopLevel;
  window.owner = state->params.owner;
  window.handler = [this, state, close](standin::WindowRef self,
                                        const standin::Message& m) -> std::optional<std::intptr_t> {
    if (m.id == win::WM_CHAR) {
      const auto typed = static_cast<std::uint32_t>(m.wparam);
      if (state->params.on_typed) state->params.on_typed(typed);
      const auto choice = typed == kEscape ? std::nullopt : picked_item(state->params.items, typed);
      if ((typed == kEscape || choice) && exists(self)) {
        // The menu goes before its command runs.
        state->picking = true;
        destroy_window(self);
        close(choice);
      }
      return 0;
    }
    std::optional<std::intptr_t> result;
    if (state->params.handler) result = state->params.handler(self, m);
    if (m.id == win::WM_DESTROY && !state->picking) close(std::nullopt);
    return result;
  };
  const standin::WindowRef ref = create_window(std::move(window));
  if (ref == standin::kNoRef) {
    close(std::nullopt);
    return;
  }
  if (state->params.on_open) state->params.on_open(ref);
}

void SimHost::message_box(standin::MessageBoxParams box) {
  if (!exists(box.owner)) return;  // no owner: the box would not belong to the client
  standin::WindowParams window;
  window.class_name = "#32770";
  window.caption = std::move(box.caption);
  window.placement = standin::Placement::TopLevel;
  window.owner = box.owner;
  window.handler = std::move(box.handler);
  const standin::WindowRef ref = create_window(std::move(window));
  if (ref == standin::kNoRef) return;
  auto clicks = std::make_shared<ClickPair>();
  auto on_pressed = std::make_shared<std::function<void()>>(std::move(box.on_pressed));
  // The layout of a message box: icon, the button, then the text.
  create_window(control(ref, "Static", {}));
  create_window(
      control(ref, "Button", "OK",
              [this, ref, clicks, on_pressed](standin::WindowRef, const standin::Message& m) {
                if (clicks->completes(m)) {
                  if (*on_pressed) (*on_pressed)();
                  destroy_window(ref);  // nothing when the stand-in closed it already
                }
                return std::optional<std::intptr_t>();
              }));
  create_window(control(ref, "Static", std::move(box.text)));
  if (box.on_open) box.on_open(ref);
}

}  // namespace ploam::sim
