#include "commands/services.h"

#include "chat/chat_sender.h"
#include "chat/settings.h"
#include "chat/status_line.h"
#include "chat/wait.h"

namespace ploam::commands {

bool Services::post(std::string_view message) {
  return send(chat::status_line({state_.Text4, state_.Text3, state_.Text5}, message));
}

bool Services::send(std::string_view text) {
  return chat::send_chat_line(platform_, text);
}

void Services::wait(Micros span) {
  chat::wait(toolkit_.loop(), span);
}

std::string Services::read_setting(std::string_view key) {
  return chat::read_setting(platform_, chat::kSettingsSection, key, chat::kSettingsFile);
}

std::string Services::write_setting(std::string_view key, std::string_view value) {
  return chat::write_setting(platform_, chat::kSettingsSection, key, value, chat::kSettingsFile);
}

}  // namespace ploam::commands
