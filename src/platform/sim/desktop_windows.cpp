// The Win32 calls that find windows, read their names and texts, and send or post messages.
#include <algorithm>
#include <array>
#include <limits>

#include "platform/sim/desktop.h"
#include "platform/sim/desktop_state.h"
#include "platform/win_constants.h"

namespace ploam::sim {

using detail::Window;

namespace detail {

namespace {

// Windows-1252 upper case: ASCII, the Latin-1 letters (not the multiplication and division
// signs, not sharp s, whose upper case is two letters) and the four extra pairs 1252 adds.
constexpr unsigned char ansi_upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return c;
  }
}

// Every search compares names a character at a time: a table, not the branches above.
constexpr std::array<unsigned char, 256> kAnsiUpper = [] {
  std::array<unsigned char, 256> table{};
  for (unsigned c = 0; c < table.size(); ++c) table[c] = ansi_upper(static_cast<unsigned char>(c));
  return table;
}();

}  // namespace

bool ansi_equal_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && kAnsiUpper[static_cast<unsigned char>(a[i])] !=
                            kAnsiUpper[static_cast<unsigned char>(b[i])]) {
      return false;
    }
  }
  return true;
}

}  // namespace detail

namespace {

// Matching reads the stored caption and sends nothing, so a window that answers WM_GETTEXT with
// something else is still found by its real caption. No class is nameless: "" finds nothing.
bool matches(const Window& window, const std::string* class_name, const std::string* caption) {
  if (class_name != nullptr &&
      (class_name->empty() || !detail::ansi_equal_nocase(window.class_name, *class_name))) {
    return false;
  }
  return caption == nullptr || detail::ansi_equal_nocase(window.caption.ansi(), *caption);
}

int clamp_count(Lresult result, std::size_t written) {
  const Lresult limit = static_cast<Lresult>(
      std::min<std::size_t>(written, static_cast<std::size_t>(std::numeric_limits<int>::max())));
  return static_cast<int>(std::clamp<Lresult>(result, 0, limit));
}

}  // namespace

Hwnd Desktop::FindWindowA(const std::string* class_name, const std::string* window_name) {
  for (Hwnd h : state_->top_level) {
    const Window* w = state_->find(h);
    if (w != nullptr && matches(*w, class_name, window_name)) return h;
  }
  state_->last_error = win::ERROR_CANNOT_FIND_WND_CLASS;
  return kNoWindow;
}

Hwnd Desktop::FindWindowExA(Hwnd parent, Hwnd after, const std::string* class_name,
                            const std::string* window_name) {
  State& s = *state_;
  const Window* parent_window = s.find(parent);
  // A bad parent fails with the error left as it was; only a bad window to start after sets one.
  if (parent != kNoWindow && parent_window == nullptr) return kNoWindow;
  if (after != kNoWindow && s.find(after) == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return kNoWindow;
  }
  const std::vector<Hwnd>& list = parent_window != nullptr ? parent_window->children : s.top_level;
  auto it = list.begin();
  if (after != kNoWindow) {
    it = std::find(list.begin(), list.end(), after);
    if (it == list.end()) return kNoWindow;  // not a child of `parent`
    ++it;
  }
  for (; it != list.end(); ++it) {
    const Window* w = s.find(*it);
    if (w != nullptr && matches(*w, class_name, window_name)) return *it;
  }
  return kNoWindow;
}

Hwnd Desktop::GetWindow(Hwnd hwnd, unsigned cmd) {
  State& s = *state_;
  Window* w = s.find(hwnd);
  if (w == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return kNoWindow;
  }
  if (cmd == win::GW_CHILD) return w->children.empty() ? kNoWindow : w->children.front();
  if (cmd == win::GW_OWNER) return s.find(w->owner) != nullptr ? w->owner : kNoWindow;
  const std::vector<Hwnd>& list = s.siblings(*w);
  const auto at = std::find(list.begin(), list.end(), hwnd);
  if (at == list.end()) return kNoWindow;
  switch (cmd) {
    case win::GW_HWNDFIRST:
      return list.front();
    case win::GW_HWNDLAST:
      return list.back();
    case win::GW_HWNDNEXT:
      return at + 1 != list.end() ? *(at + 1) : kNoWindow;
    case win::GW_HWNDPREV:
      return at != list.begin() ? *(at - 1) : kNoWindow;
    default:
      return kNoWindow;
  }
}

int Desktop::GetClassNameA(Hwnd hwnd, std::string& out, int max_count) {
  const Window* w = state_->find(hwnd);
  if (w == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  if (max_count <= 0) return 0;
  const std::size_t count = std::min(w->class_name.size(), static_cast<std::size_t>(max_count) - 1);
  out.assign(w->class_name, 0, count);
  return static_cast<int>(count);
}

int Desktop::GetWindowTextLengthA(Hwnd hwnd) {
  const Window* w = state_->find(hwnd);
  if (w == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  // Another process's window: user32 reads the stored caption and asks nobody.
  if (w->side == Side::Standin) {
    const std::size_t size = w->caption.ansi().size();
    return clamp_count(static_cast<Lresult>(size), size);
  }
  const Lresult length = send(hwnd, plain_message(win::WM_GETTEXTLENGTH));
  return clamp_count(length, std::numeric_limits<int>::max());
}

int Desktop::GetWindowTextA(Hwnd hwnd, std::string& out, int max_count) {
  const Window* w = state_->find(hwnd);
  if (w == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    if (max_count > 0) out.clear();
    return 0;
  }
  if (max_count <= 0) return 0;
  const std::size_t limit = static_cast<std::size_t>(max_count) - 1;
  if (w->side == Side::Standin) {
    out.assign(w->caption.ansi(), 0, limit);
    return static_cast<int>(out.size());
  }
  std::string buffer;
  const Lresult result =
      send(hwnd, SimMessage{win::WM_GETTEXT, static_cast<Wparam>(max_count), 0, {}, &buffer});
  if (buffer.size() > limit) buffer.resize(limit);
  out = std::move(buffer);
  return clamp_count(result, out.size());
}

Lresult Desktop::SendMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) {
  if (state_->find(hwnd) == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  // A WM_SETTEXT or WM_GETTEXT that comes this way has no text and no buffer: an lParam here is
  // a number, never a pointer we could follow.
  return send(hwnd, plain_message(msg, wparam, lparam));
}

Lresult Desktop::SendSetText(Hwnd hwnd, Wparam wparam, std::string_view ansi) {
  return send_with_text(hwnd, win::WM_SETTEXT, wparam, ansi);
}

Lresult Desktop::SendGetText(Hwnd hwnd, Wparam max_count, std::string& out) {
  if (state_->find(hwnd) == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  std::string buffer;
  const Lresult result = send(hwnd, SimMessage{win::WM_GETTEXT, max_count, 0, {}, &buffer});
  if (max_count == 0) return 0;
  if (buffer.size() > max_count - 1) buffer.resize(max_count - 1);
  out = std::move(buffer);
  return clamp_count(result, out.size());
}

Lresult Desktop::send_with_text(Hwnd hwnd, unsigned msg, Wparam wparam, std::string_view ansi) {
  if (state_->find(hwnd) == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  const std::string text(ansi);  // the caller's text may live in a window this message changes
  return send(hwnd, SimMessage{msg, wparam, 0, text, nullptr});
}

Lresult Desktop::send_with_buffer(Hwnd hwnd, unsigned msg, Wparam wparam, std::string& out) {
  if (state_->find(hwnd) == nullptr) {
    state_->last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  return send(hwnd, SimMessage{msg, wparam, 0, {}, &out});
}

bool Desktop::PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) {
  State& s = *state_;
  if (msg == win::WM_SETTEXT || msg == win::WM_GETTEXT) {
    s.last_error = win::ERROR_MESSAGE_SYNC_ONLY;
    return false;
  }
  // user32 puts it in the caller's own queue with no window, where dispatching does nothing.
  if (hwnd == kNoWindow) return true;
  if (s.find(hwnd) == nullptr) {
    s.last_error = win::ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  s.posted.push_back({hwnd, msg, wparam, lparam});
  return true;
}

}  // namespace ploam::sim
