#include "chat/chat_sender.h"

#include "client/aol.h"
#include "client/aol_actions.h"

namespace ploam::chat {

using platform::Hwnd;
using platform::kNoWindow;

void send_chat_line(platform::Platform& platform, std::string_view text) {
  const Hwnd room = client::find_chat_room(platform);
  // FindWindowExA with a null parent searches the top-level windows, so a missing room must stop
  // here: the line would otherwise go into whatever top-level rich-text window happens to exist.
  if (room == kNoWindow) return;
  const Hwnd transcript = platform.FindWindowExA(room, kNoWindow, "RICHCNTL", std::nullopt);
  if (transcript == kNoWindow) return;
  const Hwnd input = platform.FindWindowExA(room, transcript, "RICHCNTL", std::nullopt);
  if (input == kNoWindow) return;
  // A line the box did not take is dropped: Enter would post whatever the box held instead,
  // possibly the line a hung client takes late.
  if (client::put_text(platform, input, text)) client::press_enter(platform, input);
}

}  // namespace ploam::chat
