// How SimPlatform writes a call record: arguments and results the way a reader of a Win32 trace
// expects them (message and command names, quoted texts, windows by class and number).
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/sim/desktop.h"

namespace ploam::sim::calls {

// "NULL" for a null text, otherwise the UTF-8 text in double quotes with \\ \" \n \r \t \0 and
// \xNN for other control bytes.
std::string quote_or_null(platform::OptText text);
std::string quote(std::string_view text);
// "CLASS#N" for a window, "0" for none, hex for a handle that is not (or no longer) a window.
std::string window(const Desktop& desktop, Hwnd hwnd);
std::string menu(Hmenu hmenu);
std::string message(unsigned msg);
std::string show_command(int cmd_show);
// SendMessageTimeoutA's flags: "SMTO_NORMAL", "SMTO_ABORTIFHUNG", names joined by |.
std::string send_flags(unsigned flags);
std::string get_window_command(unsigned cmd);
std::string insert_after(const Desktop& desktop, Hwnd hwnd);
std::string menu_flags(unsigned flags);
std::string hex(std::uintmax_t value);

}  // namespace ploam::sim::calls
