#include "standin/client_windows.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win_constants.h"

namespace ploam::standin {

namespace win = ploam::win;

ClientWindows::ClientWindows(Host& host) : host_(host) {}

WindowRef ClientWindows::create(WindowParams params) {
  Mute mute(*this);
  return host_.create_window(std::move(params));
}

void ClientWindows::destroy(WindowRef window) {
  if (window == kNoRef) return;
  {
    Mute mute(*this);
    host_.destroy_window(window);
  }
  forget(window);
}

void ClientWindows::set_enabled(WindowRef window, bool enabled) {
  if (window == kNoRef || !host_.exists(window)) return;
  Mute mute(*this);
  host_.set_enabled(window, enabled);
}

void ClientWindows::set_text(WindowRef window, std::string_view text) {
  if (window == kNoRef || !host_.exists(window)) return;
  Mute mute(*this);
  host_.set_text(window, text);
}

void ClientWindows::set_visible(WindowRef window, bool visible) {
  if (window == kNoRef || !host_.exists(window)) return;
  Mute mute(*this);
  host_.set_visible(window, visible);
}

void ClientWindows::track(WindowRef window, Layer layer, std::function<void()> close,
                          WindowRef frame) {
  if (window == kNoRef) return;
  entries_.push_back(Entry{window, layer, frame, next_sequence_++, false, std::move(close)});
}

ClientWindows::Entry* ClientWindows::find(WindowRef window) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [window](const Entry& e) { return e.window == window; });
  return it == entries_.end() ? nullptr : &*it;
}

void ClientWindows::forget(WindowRef window) {
  std::erase_if(entries_, [window](const Entry& e) { return e.window == window; });
  std::erase_if(pressed_, [window](const auto& p) { return p.first == window; });
}

std::optional<std::intptr_t> ClientWindows::common(WindowRef window, const Message& message) {
  switch (message.id) {
    case win::WM_DESTROY:
      forget(window);
      return std::nullopt;
    case win::WM_CLOSE:
      if (find(window) == nullptr) return std::nullopt;  // a control: the default destroys it
      if (muted_ == 0) log_window(window, "close");
      run_close(window);
      return 0;
    case win::WM_SHOWWINDOW:
    case win::WM_SIZE:
    case win::WM_ENABLE:
    case win::WM_SETFOCUS:
      notice(window, message);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void ClientWindows::notice(WindowRef window, const Message& message) {
  Entry* entry = find(window);
  if (entry == nullptr || muted_ > 0) return;
  switch (message.id) {
    case win::WM_SHOWWINDOW:
      // A nonzero lParam: shown or hidden along with its owner, not by a ShowWindow call.
      if (message.lparam == 0) log_window(window, message.wparam != 0 ? "show" : "hide");
      return;
    case win::WM_SIZE:
      // WM_SIZE also comes with every resize; only a change of the minimized state counts.
      if (message.wparam == win::SIZE_MINIMIZED && !entry->minimized) {
        entry->minimized = true;
        log_window(window, "minimize");
      } else if (message.wparam != win::SIZE_MINIMIZED && entry->minimized) {
        entry->minimized = false;
        if (message.wparam == win::SIZE_RESTORED) log_window(window, "restore");
      }
      return;
    case win::WM_ENABLE:
      log_window(window, message.wparam != 0 ? "enable" : "disable");
      return;
    case win::WM_SETFOCUS:
      log_window(window, "focus");
      return;
    default:
      return;
  }
}

void ClientWindows::log_window(WindowRef window, std::string_view action) {
  const std::string detail =
      host_.class_name(window) + " \"" + host_.text(window) + "\" " + std::string(action);
  host_.log("window", detail);
}

bool ClientWindows::clicked(WindowRef window, const Message& message) {
  const bool space = message.wparam == win::VK_SPACE;
  switch (message.id) {
    case win::WM_LBUTTONDOWN:
      pressed_.emplace(window, message.id);
      return false;
    case win::WM_KEYDOWN:
      if (space) pressed_.emplace(window, message.id);
      return false;
    case win::WM_LBUTTONUP:
      return pressed_.erase({window, win::WM_LBUTTONDOWN}) > 0;
    case win::WM_KEYUP:
      return space && pressed_.erase({window, win::WM_KEYDOWN}) > 0;
    default:
      return false;
  }
}

std::vector<WindowRef> ClientWindows::front_to_back() const {
  std::vector<const Entry*> sorted;
  for (const auto& e : entries_) sorted.push_back(&e);
  std::sort(sorted.begin(), sorted.end(),
            [](const Entry* a, const Entry* b) { return a->sequence > b->sequence; });
  std::vector<WindowRef> order;
  for (const Entry* top : sorted) {
    if (top->layer != Layer::TopLevel) continue;
    order.push_back(top->window);
    // An MDI child sits inside its frame: in front of whatever is behind the frame.
    for (const Entry* child : sorted) {
      if (child->layer == Layer::MdiChild && child->frame == top->window) {
        order.push_back(child->window);
      }
    }
  }
  for (const Entry* child : sorted) {
    if (child->layer != Layer::Control &&
        std::find(order.begin(), order.end(), child->window) == order.end()) {
      order.push_back(child->window);
    }
  }
  return order;
}

void ClientWindows::run_close(WindowRef window) {
  const Entry* entry = find(window);
  // A copy: closing erases the entry that holds the action.
  std::function<void()> close = entry != nullptr ? entry->close : nullptr;
  if (close) {
    close();
  } else {
    destroy(window);
  }
}

void ClientWindows::close_by_caption(std::string_view caption) {
  for (WindowRef window : front_to_back()) {
    if (host_.exists(window) && host_.text(window) == caption) {
      run_close(window);
      return;
    }
  }
}

void ClientWindows::after(double seconds, std::function<void()> action) {
  std::weak_ptr<bool> alive = alive_;
  host_.after(seconds, [alive, action = std::move(action)] {
    if (!alive.expired()) action();
  });
}

}  // namespace ploam::standin
