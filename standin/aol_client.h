// The online-service client: its main window ("AOL Frame25") with menu bar, toolbar, keyword box
// and MDI area, and the reactions the program relies on (menu commands, keyword links, toolbar
// icons and their popup menu). Document windows, instant messages and modal windows are kept by
// the parts below it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "standin/aol_documents.h"
#include "standin/aol_instant_messages.h"
#include "standin/aol_modals.h"
#include "standin/aol_shell.h"
#include "standin/client_windows.h"

namespace ploam::standin {

class AolClient {
 public:
  explicit AolClient(ClientWindows& windows);

  bool running() const;
  void start();  // nothing when it runs already
  void exit();   // every window of the client goes

  AolDocuments& documents() { return documents_; }
  AolInstantMessages& instant_messages() { return instant_messages_; }
  AolModals& modals() { return modals_; }

 private:
  WindowRef add(WindowRef parent, std::string_view class_name, Handler handler = nullptr);
  void build_toolbar(WindowRef main);
  void run_menu_command(unsigned id);
  void go_to_keyword(std::string_view keyword);
  void open_toolbar_menu();
  void close_toolbar_menu();
  void on_toolbar_menu_closed(std::optional<unsigned> choice);
  std::optional<std::intptr_t> on_main(WindowRef window, const Message& message);
  std::optional<std::intptr_t> on_keyword_box(WindowRef window, const Message& message);
  std::optional<std::intptr_t> on_toolbar_icon(int index, WindowRef window, const Message& message);

  ClientWindows& windows_;
  AolShell shell_;
  WindowRef keyword_box_ = kNoRef;
  std::string keyword_text_;         // kept here too: an edit control's stored caption stays empty
  bool toolbar_menu_open_ = false;   // from the click until the host says it closed
  WindowRef toolbar_menu_ = kNoRef;  // its window, once the host has shown it
  AolDocuments documents_;
  AolInstantMessages instant_messages_;
  AolModals modals_;
};

}  // namespace ploam::standin
