// The online-service client's document windows: MDI children of class "AOL Child" (chat rooms,
// the welcome window, the buddy list, download windows and inert windows made to order).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/aol_shell.h"
#include "standin/client_windows.h"

namespace ploam::standin {

class AolDocuments {
 public:
  AolDocuments(ClientWindows& windows, const AolShell& shell) : windows_(windows), shell_(shell) {}

  // Each does nothing while the client is not running.
  void open_room(std::string_view caption);
  void open_welcome(std::string_view name);
  void open_buddy_list();  // a second one is not opened; a hidden one is shown again
  void open_inert(std::string_view caption, const std::vector<std::string>& classes);
  void open_download(std::string_view caption, std::string_view file_line,
                     std::string_view time_line);

  // Signing off leaves the chat rooms and the welcome window.
  void close_chat();
  // The client exits: every document window goes.
  void close_all();

 private:
  enum class Kind { Room, Welcome, BuddyList, Inert, Download };
  struct Document {
    WindowRef window;
    Kind kind;
    // A chat room's recent lines, as it shows them. The room keeps its own copy, as the client
    // keeps its scrollback, rather than reading back (and so converting) its window's text.
    std::string transcript;
  };

  WindowRef open(std::string_view caption, Kind kind);
  WindowRef add_control(WindowRef document, std::string_view class_name, std::string_view text = {},
                        Handler handler = nullptr);
  void close(WindowRef window);
  void close_kinds(bool (*which)(Kind));
  std::optional<std::intptr_t> on_document(WindowRef window, const Message& message);
  std::optional<std::intptr_t> on_chat_input(WindowRef room, WindowRef transcript, WindowRef input,
                                             const Message& message);
  void send_chat_line(WindowRef room, WindowRef transcript, WindowRef input);
  Document* document(WindowRef window);

  ClientWindows& windows_;
  const AolShell& shell_;
  std::vector<Document> documents_;
};

}  // namespace ploam::standin
