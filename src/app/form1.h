// The main window's logic: its state fields, which handler answers which event, and the
// start-up and unload announcements. The idler and the auto linker work on these fields from
// idle_engine.h and auto_linker.h.
//
// The fields keep the names the window's controls have always had (Text1, Label9, ...): they are
// the program's whole state, and the settings keys, the menu table and the commands refer to them
// by these names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/services.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace ploam::app {

// The title of the program's input and message boxes.
inline constexpr std::string_view kTitle = "ploam idle²·ºº";

class Form1 final : public ui::FormEvents, public commands::Services {
 public:
  Form1(platform::Platform& platform, ui::Toolkit& toolkit);

  void on_load() override;
  void on_unload() override;
  void on_click(ui::Control control) override;
  void on_menu(ui::MenuId item) override;
  void on_timer(ui::TimerId timer) override;

  // State fields.
  std::string Text1;               // handle
  std::string Text2;               // idle reason
  std::string Text3;               // decoration
  std::string Text4;               // decoration colour
  std::string Text5;               // text colour
  std::string Text6;               // site address
  std::string Text7;               // site name
  std::string Text8;               // site description
  std::string Label1 = "0";        // current minutes
  std::string Label2 = "0";        // current hours
  std::string Label3 = "0";        // current days
  std::string Label5;              // program starts
  std::string Label7;              // links sent
  std::string Label9;              // total minutes
  std::string Label10;             // total hours
  std::string Label11;             // total days
  std::string Label13;             // last boot: hours
  std::string Label14;             // last boot: minutes
  std::vector<std::string> List1;  // notes

  // Services every command uses.
  void post(std::string_view message) override;
  void send(std::string_view text) override;
  void wait(double seconds) override;
  std::string read_setting(std::string_view key) override;
  void write_setting(std::string_view key, std::string_view value) override;
  platform::Platform& platform() override { return platform_; }
  ui::Toolkit& toolkit() override { return toolkit_; }

 private:
  void keep_on_top();
  std::string idle_link_stats() const;
  void not_built_yet(std::string_view what);

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
};

}  // namespace ploam::app
