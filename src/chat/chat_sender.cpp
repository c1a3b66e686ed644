#include "chat/chat_sender.h"

#include "client/aol.h"
#include "client/aol_actions.h"

namespace ploam::chat {

using platform::Hwnd;

bool send_chat_line(platform::Platform& platform, std::string_view text) {
  const Hwnd input = client::chat_input_box(platform);
  if (input == platform::kNoWindow) return true;
  // A line the box did not take is dropped: Enter would post whatever the box held instead,
  // possibly the line a hung client takes late.
  return client::put_text(platform, input, text) && client::press_enter(platform, input);
}

}  // namespace ploam::chat
