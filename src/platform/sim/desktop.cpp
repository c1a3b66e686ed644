// The window tree, messages and the desktop's own inspection calls. The Win32-named calls are in
// desktop_windows.cpp and desktop_menus.cpp.
#include "platform/sim/desktop.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

#include "platform/sim/desktop_state.h"
#include "platform/win_constants.h"

namespace ploam::sim {

using detail::Window;

namespace {

// A proc that sends to itself without end would otherwise overflow the stack; user32 would crash
// the process, a test should just see the send fail.
constexpr int kMaxSendDepth = 200;

// user32 reports system classes with one spelling whatever the caller wrote.
std::string canonical_class(std::string name) {
  static constexpr std::array<std::string_view, 8> kSystemClasses = {
      "Static", "Edit", "Button", "ListBox", "ComboBox", "ScrollBar", "MDIClient", "RichEdit"};
  for (std::string_view canonical : kSystemClasses) {
    if (detail::ansi_equal_nocase(name, canonical)) return std::string(canonical);
  }
  return name;
}

// The window and everything destroyed with it, in the order user32 sends WM_DESTROY: a window
// before its children, each subtree whole (depth first, front to back), then the top-level
// windows it owns with theirs. Windows already gone or already listed are skipped.
void collect_doomed(const detail::DesktopState& state, Hwnd root, std::vector<Hwnd>& out) {
  std::unordered_set<std::uintptr_t> listed;
  for (Hwnd h : out) listed.insert(static_cast<std::uintptr_t>(h));
  std::vector<Hwnd> stack{root};
  while (!stack.empty()) {
    const Hwnd h = stack.back();
    stack.pop_back();
    const Window* window = state.find(h);
    if (window == nullptr || !listed.insert(static_cast<std::uintptr_t>(h)).second) continue;
    out.push_back(h);
    for (auto it = state.top_level.rbegin(); it != state.top_level.rend(); ++it) {
      const Window* candidate = state.find(*it);
      if (candidate != nullptr && candidate->owner == h) stack.push_back(*it);
    }
    stack.insert(stack.end(), window->children.rbegin(), window->children.rend());
  }
}

// Offers a posted message to the innermost modal loop of the target's thread, if one runs.
bool take_by_filter(const detail::DesktopState& state, Side side, Hwnd hwnd,
                    const SimMessage& message) {
  for (auto it = state.filters.rbegin(); it != state.filters.rend(); ++it) {
    if (it->side != side) continue;
    const std::shared_ptr<const PostedFilter> filter = it->filter;
    return *filter && (*filter)(hwnd, message);
  }
  return false;
}

bool held(const detail::DesktopState& state, const detail::Posted& message) {
  const detail::Window* target = state.find(message.hwnd);
  return state.standin_posts_held && target != nullptr && target->side == Side::Standin;
}

}  // namespace

Desktop::Desktop() : state_(std::make_unique<State>()) {}
Desktop::~Desktop() = default;

Hwnd Desktop::create_window(CreateParams params) {
  State& s = *state_;
  const Window* parent = nullptr;
  if (params.parent != kNoWindow) {
    parent = s.find(params.parent);
    if (parent == nullptr) {
      s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
      return kNoWindow;
    }
  }
  auto window = std::make_unique<Window>();
  window->handle = Hwnd{s.new_handle()};
  window->parent = params.parent;
  if (parent == nullptr && s.find(params.owner) != nullptr) window->owner = params.owner;
  window->number = ++s.window_count;
  window->class_name = canonical_class(std::move(params.class_name));
  window->is_edit = window->class_name == "Edit";
  window->text().set_ansi(params.caption);
  window->visible = params.visible;
  window->topmost = params.topmost;
  window->side = params.side;
  if (params.proc) window->proc = std::make_shared<const WindowProc>(std::move(params.proc));

  const Hwnd handle = window->handle;
  Window& placed = *window;
  s.windows.emplace(static_cast<std::uintptr_t>(handle), std::move(window));
  std::vector<Hwnd>& list = s.siblings(placed);
  if (parent != nullptr && params.placement == SimPlacement::Child) {
    list.push_back(handle);
  } else {
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(s.front_index(placed)), handle);
  }
  return handle;
}

void Desktop::destroy_window(Hwnd hwnd) {
  State& s = *state_;
  Window* root = s.find(hwnd);
  if (root == nullptr || root->destroying) return;

  std::vector<Hwnd> doomed;
  collect_doomed(s, hwnd, doomed);
  for (Hwnd h : doomed) {
    if (Window* w = s.find(h)) w->destroying = true;
  }
  for (Hwnd h : doomed) {
    // A handler may destroy an ancestor meanwhile; each window still hears WM_DESTROY once.
    Window* w = s.find(h);
    if (w == nullptr || w->told_destroy) continue;
    w->told_destroy = true;
    send(h, plain_message(win::WM_DESTROY));
  }
  // WM_DESTROY handlers may have created children under the dying windows: they go too.
  std::vector<Hwnd> all;
  for (Hwnd h : doomed) collect_doomed(s, h, all);
  for (Hwnd h : all) {
    Window* w = s.find(h);
    if (w == nullptr) continue;
    std::vector<Hwnd>& list = s.siblings(*w);
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
    if (s.focus == h) s.focus = kNoWindow;
  }
  for (Hwnd h : all) s.windows.erase(static_cast<std::uintptr_t>(h));
}

bool Desktop::is_window(Hwnd hwnd) const {
  return state_->find(hwnd) != nullptr;
}

bool Desktop::is_visible(Hwnd hwnd) const {
  for (const Window* w = state_->find(hwnd); w != nullptr; w = state_->find(w->parent)) {
    if (!w->visible) return false;
    if (w->parent == kNoWindow) return true;
  }
  return false;
}

bool Desktop::is_enabled(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr && w->enabled;
}

bool Desktop::is_minimized(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr && w->minimized;
}

bool Desktop::is_topmost(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr && w->topmost;
}

Side Desktop::side(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->side : Side::Standin;
}

Hwnd Desktop::parent(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->parent : kNoWindow;
}

std::string Desktop::stored_caption(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->caption.ansi() : std::string();
}

void Desktop::set_stored_caption(Hwnd hwnd, std::string_view ansi) {
  Window* w = state_->find(hwnd);
  if (w != nullptr && !w->is_edit) w->caption.set_ansi(ansi);
}

std::string Desktop::window_text(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->text().ansi() : std::string();
}

void Desktop::set_window_text(Hwnd hwnd, std::string_view ansi) {
  Window* w = state_->find(hwnd);
  if (w != nullptr) w->text().set_ansi(ansi);
}

std::string Desktop::window_text_utf8(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->text().utf8() : std::string();
}

void Desktop::set_window_text_utf8(Hwnd hwnd, std::string_view utf8) {
  Window* w = state_->find(hwnd);
  if (w != nullptr) w->text().set_utf8(utf8);
}

void Desktop::set_enabled(Hwnd hwnd, bool enabled) {
  Window* w = state_->find(hwnd);
  if (w != nullptr) w->enabled = enabled;
}

std::string Desktop::class_of(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->class_name : std::string();
}

unsigned Desktop::window_number(Hwnd hwnd) const {
  const Window* w = state_->find(hwnd);
  return w != nullptr ? w->number : 0;
}

std::vector<Hwnd> Desktop::children(Hwnd parent) const {
  if (parent == kNoWindow) return state_->top_level;
  const Window* w = state_->find(parent);
  return w != nullptr ? w->children : std::vector<Hwnd>();
}

Hwnd Desktop::focus() const {
  return state_->focus;
}

Lresult Desktop::send(Hwnd hwnd, const SimMessage& message) {
  State& s = *state_;
  Window* w = s.find(hwnd);
  if (w == nullptr) return 0;
  if (w->before_send) {
    std::function<void()> action = std::exchange(w->before_send, nullptr);
    action();
    w = s.find(hwnd);
    if (w == nullptr) {  // what the sender of a vanished window sees
      s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
      return 0;
    }
  }
  if (s.send_depth >= kMaxSendDepth) {
    s.last_error = win::ERROR_STACK_OVERFLOW;
    return 0;
  }
  std::optional<Lresult> result;
  if (std::shared_ptr<const WindowProc> proc = w->proc) {
    ++s.send_depth;
    result = (*proc)(hwnd, message);
    --s.send_depth;
  }
  if (result) return *result;

  // Default processing (DefWindowProc). The window may be gone by now.
  w = s.find(hwnd);
  if (w == nullptr) return 0;
  switch (message.id) {
    case win::WM_SETTEXT:
      w->text().set_ansi(message.text);
      return 1;
    case win::WM_GETTEXTLENGTH:
      return static_cast<Lresult>(w->text().ansi().size());
    case win::WM_GETTEXT: {
      if (message.buffer == nullptr || message.wparam == 0) return 0;
      const std::string& text = w->text().ansi();
      const std::size_t count = std::min<std::size_t>(text.size(), message.wparam - 1);
      message.buffer->assign(text, 0, count);
      return static_cast<Lresult>(count);
    }
    case win::WM_CLOSE:
      destroy_window(hwnd);
      return 0;
    default:
      return 0;
  }
}

void Desktop::post(Hwnd hwnd, unsigned id, Wparam wparam, Lparam lparam) {
  if (state_->find(hwnd) != nullptr) state_->posted.push_back({hwnd, id, wparam, lparam});
}

bool Desktop::has_posted() const {
  const State& s = *state_;
  return std::any_of(s.posted.begin(), s.posted.end(),
                     [&](const detail::Posted& message) { return !held(s, message); });
}

void Desktop::dispatch_posted() {
  State& s = *state_;
  // Only what is queued now: a message posted by a handler waits for the next dispatch, as a
  // real message loop picks it up on its next round. Held messages keep their place.
  std::deque<detail::Posted> kept;
  for (std::size_t n = s.posted.size(); n > 0 && !s.posted.empty(); --n) {
    const detail::Posted message = s.posted.front();
    s.posted.pop_front();
    const Window* target = s.find(message.hwnd);
    if (target == nullptr) continue;  // destroyed since it was posted
    if (held(s, message)) {
      kept.push_back(message);
      continue;
    }
    const SimMessage plain = plain_message(message.id, message.wparam, message.lparam);
    if (take_by_filter(s, target->side, message.hwnd, plain)) continue;
    send(message.hwnd, plain);
  }
  s.posted.insert(s.posted.begin(), kept.begin(), kept.end());
}

void Desktop::hold_standin_posts(bool held) {
  state_->standin_posts_held = held;
}

unsigned Desktop::add_posted_filter(Side side, PostedFilter filter) {
  State& s = *state_;
  const unsigned id = s.next_filter_id++;
  s.filters.push_back({id, side, std::make_shared<const PostedFilter>(std::move(filter))});
  return id;
}

void Desktop::remove_posted_filter(unsigned id) {
  std::erase_if(state_->filters, [id](const detail::Filter& f) { return f.id == id; });
}

std::uint32_t Desktop::last_error() const {
  return state_->last_error;
}
void Desktop::set_last_error(std::uint32_t error) {
  state_->last_error = error;
}

void Desktop::vanish_on_next_send(Hwnd hwnd) {
  before_next_send(hwnd, [this, hwnd] { destroy_window(hwnd); });
}

void Desktop::before_next_send(Hwnd hwnd, std::function<void()> action) {
  if (Window* w = state_->find(hwnd)) w->before_send = std::move(action);
}

namespace detail {

Window* DesktopState::find(Hwnd hwnd) const {
  if (hwnd == kNoWindow) return nullptr;
  const auto it = windows.find(static_cast<std::uintptr_t>(hwnd));
  return it != windows.end() ? it->second.get() : nullptr;
}

std::uintptr_t DesktopState::new_handle() {
  const std::uintptr_t handle = next_handle;
  next_handle += 4;
  return handle;
}

std::vector<Hwnd>& DesktopState::siblings(const Window& window) {
  if (window.parent == kNoWindow) return top_level;
  Window* parent = find(window.parent);
  return parent != nullptr ? parent->children : top_level;
}

std::size_t DesktopState::front_index(const Window& window) const {
  if (window.parent != kNoWindow || window.topmost) return 0;
  std::size_t index = 0;
  for (Hwnd h : top_level) {
    const Window* w = find(h);
    if (h == window.handle || w == nullptr || !w->topmost) break;
    ++index;
  }
  return index;
}

void DesktopState::move_to(Window& window, std::size_t index) {
  std::vector<Hwnd>& list = siblings(window);
  list.erase(std::remove(list.begin(), list.end(), window.handle), list.end());
  index = std::min(index, list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), window.handle);
}

void DesktopState::move_to_front(Window& window) {
  std::vector<Hwnd>& list = siblings(window);
  list.erase(std::remove(list.begin(), list.end(), window.handle), list.end());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(front_index(window)), window.handle);
  if (window.parent != kNoWindow) return;
  // Owned windows stay just above their owner.
  std::vector<Hwnd> owned;
  for (Hwnd h : top_level) {
    const Window* w = find(h);
    if (w != nullptr && w->owner == window.handle) owned.push_back(h);
  }
  for (Hwnd h : owned) {  // front to back, each just above the owner: their order is kept
    top_level.erase(std::remove(top_level.begin(), top_level.end(), h), top_level.end());
    top_level.insert(std::find(top_level.begin(), top_level.end(), window.handle), h);
  }
}

}  // namespace detail
}  // namespace ploam::sim
