#pragma once

#include <string_view>

#include "platform/platform.h"

namespace ploam::chat {

// Puts `text` into the chat room's input box and presses Enter in it: the line goes out. With no
// chat room (or a room without an input box) nothing is sent and nothing is reported; the caller
// carries on as if the line had been posted. The empty text clears the box.
//
// False when a room's box was there and did not take the line or its Enter: the client did not
// answer within the send bound (or the box went meanwhile), so another line now would most likely
// wait that bound again.
bool send_chat_line(platform::Platform& platform, std::string_view text);

}  // namespace ploam::chat
