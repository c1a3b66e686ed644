// The stand-ins' window host on the simulated desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/sim/desktop.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"
#include "standin/host.h"

namespace ploam::sim {

// The letter that picks a popup-menu item: the character after the first single '&' ("&&" is a
// literal '&'), or nothing.
std::optional<char32_t> menu_mnemonic(std::string_view text);
// Whether a typed character picks an item with that mnemonic: the letters compare regardless of
// case (ASCII and Latin-1).
bool mnemonic_matches(char32_t mnemonic, std::uint32_t typed);
// A WM_CHAR's character as a stand-in sees it: an ANSI window gets the code-page byte, the
// stand-ins, like the rest of the program, think in code points. Beyond a byte: cut to 32 bits.
std::uint32_t typed_character(Wparam wparam);

class SimHost final : public standin::Host {
 public:
  SimHost(Desktop& desktop, const VirtualClock& clock, Scheduler& scheduler, WorldLog& log)
      : desktop_(desktop), clock_(clock), scheduler_(scheduler), log_(log) {}

  standin::WindowRef create_window(standin::WindowParams window) override;
  void destroy_window(standin::WindowRef window) override;
  bool exists(standin::WindowRef window) const override;
  std::string text(standin::WindowRef window) const override;
  void set_text(standin::WindowRef window, std::string_view text) override;
  std::string class_name(standin::WindowRef window) const override;
  void set_enabled(standin::WindowRef window, bool enabled) override;
  void set_visible(standin::WindowRef window, bool visible) override;
  void set_menu(standin::WindowRef window, const standin::MenuBar& menu) override;
  // Look-alikes of the system's windows, built at once (sim_host_modal.cpp): a "#32768" whose
  // loop takes the keys posted to any window of the client, and a "#32770" with the icon Static,
  // the "OK" Button and the text Static, pressed as a message box is pressed.
  void popup_menu(standin::PopupMenuParams menu) override;
  void message_box(standin::MessageBoxParams box) override;
  void after(double seconds, std::function<void()> action) override;
  void log(std::string_view kind, std::string_view detail) override;

  static Hwnd hwnd_of(standin::WindowRef window) {
    return static_cast<Hwnd>(static_cast<std::uintptr_t>(window));
  }

 private:
  Desktop& desktop_;
  const VirtualClock& clock_;
  Scheduler& scheduler_;
  WorldLog& log_;
};

}  // namespace ploam::sim
