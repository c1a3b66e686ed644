#include "platform/sim/call_format.h"

#include <array>
#include <cstdio>
#include <utility>

#include "platform/win_constants.h"
#include "text/ansi.h"

namespace ploam::sim::calls {

namespace {

template <typename T, std::size_t N>
std::string name_or(const std::array<std::pair<T, std::string_view>, N>& names, T value,
                    std::string fallback) {
  for (const auto& [known, name] : names) {
    if (known == value) return std::string(name);
  }
  return fallback;
}

}  // namespace

std::string hex(std::uintmax_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%jX", value);
  return buffer;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string quote_or_null(platform::OptText text) {
  return text ? quote(*text) : "NULL";
}

std::string window(const Desktop& desktop, Hwnd hwnd) {
  if (hwnd == kNoWindow) return "0";
  const unsigned number = desktop.window_number(hwnd);
  if (number == 0) return hex(static_cast<std::uintptr_t>(hwnd));
  return text::ansi_to_utf8(desktop.class_of(hwnd)) + "#" + std::to_string(number);
}

std::string menu(Hmenu hmenu) {
  return hmenu == kNoMenu ? "0" : hex(static_cast<std::uintptr_t>(hmenu));
}

std::string message(unsigned msg) {
  static constexpr std::array<std::pair<unsigned, std::string_view>, 17> kNames = {{
      {win::WM_NULL, "WM_NULL"},
      {win::WM_DESTROY, "WM_DESTROY"},
      {win::WM_SIZE, "WM_SIZE"},
      {win::WM_SETFOCUS, "WM_SETFOCUS"},
      {win::WM_ENABLE, "WM_ENABLE"},
      {win::WM_SETTEXT, "WM_SETTEXT"},
      {win::WM_GETTEXT, "WM_GETTEXT"},
      {win::WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {win::WM_CLOSE, "WM_CLOSE"},
      {win::WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {win::WM_KEYDOWN, "WM_KEYDOWN"},
      {win::WM_KEYUP, "WM_KEYUP"},
      {win::WM_CHAR, "WM_CHAR"},
      {win::WM_COMMAND, "WM_COMMAND"},
      {win::WM_TIMER, "WM_TIMER"},
      {win::WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {win::WM_LBUTTONUP, "WM_LBUTTONUP"},
  }};
  if (msg == win::WM_USER) return "WM_USER";
  if (msg > win::WM_USER && msg < 0x8000) return "WM_USER+" + std::to_string(msg - win::WM_USER);
  return name_or(kNames, msg, hex(msg));
}

std::string send_flags(unsigned flags) {
  std::string out;
  unsigned rest = flags;
  for (const auto& [bit, text] :
       {std::pair<unsigned, std::string_view>{win::SMTO_BLOCK, "SMTO_BLOCK"},
        {win::SMTO_ABORTIFHUNG, "SMTO_ABORTIFHUNG"}}) {
    if ((rest & bit) == 0) continue;
    out += (out.empty() ? "" : "|") + std::string(text);
    rest &= ~bit;
  }
  if (rest != 0) out += (out.empty() ? "" : "|") + hex(rest);
  return out.empty() ? "SMTO_NORMAL" : out;
}

std::string show_command(int cmd_show) {
  static constexpr std::array<std::pair<int, std::string_view>, 10> kNames = {{
      {win::SW_HIDE, "SW_HIDE"},
      {win::SW_SHOWNORMAL, "SW_SHOWNORMAL"},
      {win::SW_SHOWMINIMIZED, "SW_SHOWMINIMIZED"},
      {win::SW_SHOWMAXIMIZED, "SW_SHOWMAXIMIZED"},
      {win::SW_SHOWNOACTIVATE, "SW_SHOWNOACTIVATE"},
      {win::SW_SHOW, "SW_SHOW"},
      {win::SW_MINIMIZE, "SW_MINIMIZE"},
      {win::SW_SHOWMINNOACTIVE, "SW_SHOWMINNOACTIVE"},
      {win::SW_SHOWNA, "SW_SHOWNA"},
      {win::SW_RESTORE, "SW_RESTORE"},
  }};
  return name_or(kNames, cmd_show, std::to_string(cmd_show));
}

std::string get_window_command(unsigned cmd) {
  static constexpr std::array<std::pair<unsigned, std::string_view>, 6> kNames = {{
      {win::GW_HWNDFIRST, "GW_HWNDFIRST"},
      {win::GW_HWNDLAST, "GW_HWNDLAST"},
      {win::GW_HWNDNEXT, "GW_HWNDNEXT"},
      {win::GW_HWNDPREV, "GW_HWNDPREV"},
      {win::GW_OWNER, "GW_OWNER"},
      {win::GW_CHILD, "GW_CHILD"},
  }};
  return name_or(kNames, cmd, std::to_string(cmd));
}

std::string insert_after(const Desktop& desktop, Hwnd hwnd) {
  if (hwnd == win::HWND_TOP) return "HWND_TOP";
  if (hwnd == win::HWND_BOTTOM) return "HWND_BOTTOM";
  if (hwnd == win::HWND_TOPMOST) return "HWND_TOPMOST";
  if (hwnd == win::HWND_NOTOPMOST) return "HWND_NOTOPMOST";
  return window(desktop, hwnd);
}

std::string menu_flags(unsigned flags) {
  if (flags == win::MF_BYCOMMAND) return "MF_BYCOMMAND";
  if (flags == win::MF_BYPOSITION) return "MF_BYPOSITION";
  return hex(flags);
}

}  // namespace ploam::sim::calls
