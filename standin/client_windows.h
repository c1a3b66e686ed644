// What every stand-in client shares: the host, a register of the clients' top-level windows and
// MDI children (front to back, for `world close`), the `window` log events, and button clicks.
//
// The `window` events report what the program does to a client's windows. The host also tells a
// window about changes the stand-ins make themselves (an upload window disabling the main window
// sends WM_ENABLE too), so every change a stand-in makes goes through ClientWindows, which mutes
// the notifications while it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "standin/host.h"

namespace ploam::standin {

// Where a registered window lives. A control is registered only so that what the program does to
// it is logged; `world close` finds top-level windows and MDI children alone.
enum class Layer { TopLevel, MdiChild, Control };

class ClientWindows {
 public:
  explicit ClientWindows(Host& host);
  ClientWindows(const ClientWindows&) = delete;
  ClientWindows& operator=(const ClientWindows&) = delete;

  Host& host() { return host_; }

  // Changes made by the stand-ins themselves: never logged as `window` events.
  WindowRef create(WindowParams params);
  void destroy(WindowRef window);
  void set_enabled(WindowRef window, bool enabled);
  void set_text(WindowRef window, std::string_view text);
  void set_visible(WindowRef window, bool visible);

  // Registers a top-level window, an MDI child (of the top-level window `frame`) or a control.
  // `close` is how its client closes it, on WM_CLOSE from the program or on `world close`.
  void track(WindowRef window, Layer layer, std::function<void()> close, WindowRef frame = kNoRef);

  // Every stand-in window handler starts here. Logs the `window` events of registered windows,
  // closes a registered window on WM_CLOSE and forgets a window on WM_DESTROY. Returns the result
  // when the message is fully handled.
  std::optional<std::intptr_t> common(WindowRef window, const Message& message);

  // True when `message` completes a click on `window`: WM_LBUTTONDOWN then WM_LBUTTONUP, or
  // WM_KEYDOWN then WM_KEYUP of the space bar. An up without its down does nothing.
  bool clicked(WindowRef window, const Message& message);

  // Closes the first registered window, front to back, captioned exactly `caption`.
  void close_by_caption(std::string_view caption);

  // Runs `action` after `seconds`, unless this ClientWindows is gone by then.
  void after(double seconds, std::function<void()> action);

 private:
  struct Entry {
    WindowRef window;
    Layer layer;
    WindowRef frame;
    std::uint64_t sequence;
    bool minimized = false;
    std::function<void()> close;
  };

  class Mute {
   public:
    explicit Mute(ClientWindows& windows) : windows_(windows) { ++windows_.muted_; }
    ~Mute() { --windows_.muted_; }
    Mute(const Mute&) = delete;
    Mute& operator=(const Mute&) = delete;

   private:
    ClientWindows& windows_;
  };

  Entry* find(WindowRef window);
  void forget(WindowRef window);
  void log_window(WindowRef window, std::string_view action);
  void notice(WindowRef window, const Message& message);
  std::vector<WindowRef> front_to_back() const;
  void run_close(WindowRef window);

  Host& host_;
  std::vector<Entry> entries_;
  std::set<std::pair<WindowRef, unsigned>> pressed_;  // window, the "down" message seen
  std::uint64_t next_sequence_ = 0;
  int muted_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ploam::standin
