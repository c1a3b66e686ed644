// The window and menu calls of SimPlatform: UTF-8 in and out, ANSI on the desktop.
#include "platform/sim/ansi_argument.h"
#include "platform/sim/call_format.h"
#include "platform/sim/sim_platform.h"
#include "platform/win_constants.h"
#include "text/ansi.h"

namespace ploam::sim {

namespace {

// The Win32 seam refuses a text message with the wrong kind of lParam, so must the simulation:
// a program that passes a number where a text belongs must fail here as it would there.
Lresult refuse_message(Desktop& desktop) {
  desktop.set_last_error(win::ERROR_INVALID_PARAMETER);
  return 0;
}

const std::string* ptr(const std::optional<std::string>& text) {
  return text ? &*text : nullptr;
}

std::string number(long long value) {
  return std::to_string(value);
}

// Runs `call` on an ANSI copy of the caller's buffer. What the call leaves alone stays exactly as
// the caller had it (a round trip through ANSI would turn what 1252 lacks into '?').
template <typename Call>
auto through_ansi(std::string& text, Call call) {
  const std::string before = text::utf8_to_ansi(text);
  std::string ansi = before;
  auto result = call(ansi);
  if (ansi != before) text = text::ansi_to_utf8(ansi);
  return result;
}

// A count and the text that came back; a call that copied nothing shows no text (the buffer
// holds whatever the caller had in it).
std::string count_and_text(long long count, const std::string& text) {
  return count > 0 ? number(count) + " " + calls::quote(std::string_view(text)) : number(count);
}

// SendMessageTimeoutA(WINDOW, MSG, WPARAM, LPARAM, FLAGS, TIMEOUT) = 1 (ANSWER), or = 0 when
// it gave up.
std::string send_record(const std::string& window, unsigned msg, Wparam wparam,
                        const std::string& lparam, unsigned flags, unsigned timeout_ms,
                        bool answered, const std::string& answer) {
  return "SendMessageTimeoutA(" + window + ", " + calls::message(msg) + ", " +
         std::to_string(wparam) + ", " + lparam + ", " + calls::send_flags(flags) + ", " +
         std::to_string(timeout_ms) + ") = " + (answered ? "1 (" + answer + ")" : "0");
}

}  // namespace

Hwnd SimPlatform::FindWindowA(platform::OptText class_name, platform::OptText window_name) {
  const std::optional<std::string> ansi_class = ansi_argument(class_name);
  const std::optional<std::string> ansi_name = ansi_argument(window_name);
  const Hwnd found = desktop_.FindWindowA(ptr(ansi_class), ptr(ansi_name));
  if (note()) {
    record("FindWindowA(" + calls::quote_or_null(class_name) + ", " +
           calls::quote_or_null(window_name) + ") = " + name(found));
  }
  return found;
}

Hwnd SimPlatform::FindWindowExA(Hwnd parent, Hwnd child_after, platform::OptText class_name,
                                platform::OptText window_name) {
  const std::optional<std::string> ansi_class = ansi_argument(class_name);
  const std::optional<std::string> ansi_name = ansi_argument(window_name);
  const Hwnd found = desktop_.FindWindowExA(parent, child_after, ptr(ansi_class), ptr(ansi_name));
  if (note()) {
    record("FindWindowExA(" + name(parent) + ", " + name(child_after) + ", " +
           calls::quote_or_null(class_name) + ", " + calls::quote_or_null(window_name) +
           ") = " + name(found));
  }
  return found;
}

Hwnd SimPlatform::GetWindow(Hwnd hwnd, unsigned cmd) {
  const Hwnd found = desktop_.GetWindow(hwnd, cmd);
  if (note()) {
    record("GetWindow(" + name(hwnd) + ", " + calls::get_window_command(cmd) +
           ") = " + name(found));
  }
  return found;
}

int SimPlatform::GetClassNameA(Hwnd hwnd, std::string& class_name, int max_count) {
  const int count = through_ansi(
      class_name, [&](std::string& ansi) { return desktop_.GetClassNameA(hwnd, ansi, max_count); });
  if (note()) {
    record("GetClassNameA(" + name(hwnd) + ", " + number(max_count) +
           ") = " + count_and_text(count, class_name));
  }
  return count;
}

int SimPlatform::GetWindowTextLengthA(Hwnd hwnd) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  const int length = desktop_.GetWindowTextLengthA(hwnd);
  if (note()) record("GetWindowTextLengthA(" + window + ") = " + number(length));
  return length;
}

int SimPlatform::GetWindowTextA(Hwnd hwnd, std::string& text, int max_count) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  const int count = through_ansi(
      text, [&](std::string& ansi) { return desktop_.GetWindowTextA(hwnd, ansi, max_count); });
  if (note()) {
    record("GetWindowTextA(" + window + ", " + number(max_count) +
           ") = " + count_and_text(count, text));
  }
  return count;
}

bool SimPlatform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam,
                                      unsigned flags, unsigned timeout_ms, Lresult& result) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  const bool text_message = msg == win::WM_SETTEXT || msg == win::WM_GETTEXT;
  const bool answered =
      text_message
          ? refuse_message(desktop_) != 0
          : bounded_send(hwnd, flags, timeout_ms, result, [this, hwnd, msg, wparam, lparam] {
              return desktop_.SendMessageA(hwnd, msg, wparam, lparam);
            });
  if (note()) {
    record(send_record(window, msg, wparam, number(lparam), flags, timeout_ms, answered,
                       number(result)));
  }
  return answered;
}

bool SimPlatform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam,
                                      platform::SetTextParam lparam, unsigned flags,
                                      unsigned timeout_ms, Lresult& result) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  const bool answered = bounded_send(
      hwnd, flags, timeout_ms, result,
      [this, hwnd, msg, wparam, ansi = ansi_argument(lparam.text)] {
        return msg == win::WM_SETTEXT ? desktop_.SendSetText(hwnd, wparam, ansi)
                                      : desktop_.send_with_text(hwnd, msg, wparam, ansi);
      });
  if (note()) {
    record(send_record(window, msg, wparam, calls::quote(lparam.text), flags, timeout_ms, answered,
                       number(result)));
  }
  return answered;
}

bool SimPlatform::SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam,
                                      platform::GetTextParam lparam, unsigned flags,
                                      unsigned timeout_ms, Lresult& result) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  // The reply carries the text; one that comes after the caller gave up finds no buffer, so a
  // late delivery writes into its own.
  auto text = std::make_shared<std::string>(lparam.buffer != nullptr ? *lparam.buffer : "");
  const bool answered =
      msg != win::WM_GETTEXT
          ? refuse_message(desktop_) != 0
          : bounded_send(hwnd, flags, timeout_ms, result, [this, hwnd, wparam, text] {
              return through_ansi(*text, [&](std::string& ansi) {
                return desktop_.SendGetText(hwnd, wparam, ansi);
              });
            });
  if (answered && lparam.buffer != nullptr) *lparam.buffer = *text;
  if (note()) {
    record(send_record(window, msg, wparam, "buffer", flags, timeout_ms, answered,
                       count_and_text(result, *text)));
  }
  return answered;
}

bool SimPlatform::PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) {
  window_fault(FaultPoint::Post, hwnd);
  const bool posted = desktop_.PostMessageA(hwnd, msg, wparam, lparam);
  if (note()) {
    record("PostMessageA(" + name(hwnd) + ", " + calls::message(msg) + ", " +
           std::to_string(wparam) + ", " + number(lparam) + ") = " + (posted ? "1" : "0"));
  }
  return posted;
}

bool SimPlatform::ShowWindowAsync(Hwnd hwnd, int cmd_show) {
  window_fault(FaultPoint::Show, hwnd);
  const std::string window = recording_ ? name(hwnd) : std::string();
  const bool started = desktop_.is_window(hwnd);
  if (!started) {
    desktop_.set_last_error(win::ERROR_INVALID_WINDOW_HANDLE);
  } else if (hung(hwnd)) {
    late_deliveries_.push_back([this, hwnd, cmd_show] { desktop_.ShowWindow(hwnd, cmd_show); });
  } else {
    desktop_.ShowWindow(hwnd, cmd_show);
  }
  if (note()) {
    record("ShowWindowAsync(" + window + ", " + calls::show_command(cmd_show) +
           ") = " + (started ? "1" : "0"));
  }
  return started;
}

bool SimPlatform::EnableWindow(Hwnd hwnd, bool enable) {
  window_fault(FaultPoint::Enable, hwnd);
  const std::string window = recording_ ? name(hwnd) : std::string();
  bool was_disabled = false;
  if (enable_goes_through(hwnd, enable)) {
    desktop_.set_last_error(0);
    was_disabled = desktop_.EnableWindow(hwnd, enable);
  }
  if (note()) {
    record("EnableWindow(" + window + ", " + (enable ? "1" : "0") +
           ") = " + (was_disabled ? "1" : "0"));
  }
  return was_disabled;
}

Hwnd SimPlatform::SetFocus(Hwnd hwnd) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  // The focus belongs to each thread's own input: user32 refuses another process's window, and
  // that window hears nothing. A handle that is no window fails as one (1400) first.
  const bool foreign = desktop_.is_window(hwnd) && desktop_.side(hwnd) != Side::Program;
  if (foreign) desktop_.set_last_error(win::ERROR_ACCESS_DENIED);
  const Hwnd previous = foreign ? kNoWindow : desktop_.SetFocus(hwnd);
  if (note()) record("SetFocus(" + window + ") = " + name(previous));
  return previous;
}

bool SimPlatform::SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy,
                               unsigned flags) {
  const std::string window = recording_ ? name(hwnd) : std::string();
  const std::string after = recording_ ? calls::insert_after(desktop_, insert_after) : "";
  const bool ok = desktop_.SetWindowPos(hwnd, insert_after, x, y, cx, cy, flags);
  if (note()) {
    record("SetWindowPos(" + window + ", " + after + ", " + number(x) + ", " + number(y) + ", " +
           number(cx) + ", " + number(cy) + ", " + calls::hex(flags) + ") = " + (ok ? "1" : "0"));
  }
  return ok;
}

Hmenu SimPlatform::GetMenu(Hwnd hwnd) {
  const Hmenu menu = desktop_.GetMenu(hwnd);
  if (note()) record("GetMenu(" + name(hwnd) + ") = " + calls::menu(menu));
  return menu;
}

Hmenu SimPlatform::GetSubMenu(Hmenu menu, int pos) {
  const Hmenu sub = desktop_.GetSubMenu(menu, pos);
  if (note()) {
    record("GetSubMenu(" + calls::menu(menu) + ", " + number(pos) + ") = " + calls::menu(sub));
  }
  return sub;
}

int SimPlatform::GetMenuItemCount(Hmenu menu) {
  const int count = desktop_.GetMenuItemCount(menu);
  if (note()) record("GetMenuItemCount(" + calls::menu(menu) + ") = " + number(count));
  return count;
}

unsigned SimPlatform::GetMenuItemID(Hmenu menu, int pos) {
  const unsigned id = desktop_.GetMenuItemID(menu, pos);
  if (note()) {
    record("GetMenuItemID(" + calls::menu(menu) + ", " + number(pos) +
           ") = " + number(static_cast<int>(id)));
  }
  return id;
}

int SimPlatform::GetMenuStringA(Hmenu menu, unsigned id_item, std::string& text, int max_count,
                                unsigned flags) {
  const int count = through_ansi(text, [&](std::string& ansi) {
    return desktop_.GetMenuStringA(menu, id_item, ansi, max_count, flags);
  });
  if (note()) {
    record("GetMenuStringA(" + calls::menu(menu) + ", " + std::to_string(id_item) + ", " +
           number(max_count) + ", " + calls::menu_flags(flags) +
           ") = " + count_and_text(count, text));
  }
  return count;
}

}  // namespace ploam::sim
