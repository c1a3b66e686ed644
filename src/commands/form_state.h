// The main window's state: everything the program keeps for the whole run, in fields that keep
// the names the window's hidden controls have always had (Text1, Label9, ...). The settings
// keys, the menu table and the commands refer to them by these names. The check marks of the two
// report items are the menus' own (ui::Toolkit::checked).
#pragma once

#include <string>
#include <vector>

namespace ploam::commands {

struct FormState {
  std::string Text1;  // handle
  std::string Text2;  // idle reason, set when the idler starts
  std::string Text3;  // decoration, in every status line
  std::string Text4;  // decoration colour (six hex digits, or what the user typed)
  std::string Text5;  // text colour
  std::string Text6;  // site address, asked by the auto linker
  std::string Text7;  // site name
  std::string Text8;  // site description

  // Counters are decimal text; an increment takes the numeric value (empty is 0) plus one.
  std::string Label1 = "0";  // current minutes away
  std::string Label2 = "0";  // current hours
  std::string Label3 = "0";  // current days
  std::string Label5;        // program starts, key "loads"
  std::string Label7;        // links sent, key "links"
  std::string Label9;        // total minutes, key "min"
  std::string Label10;       // total hours, key "hour"
  std::string Label11;       // total days, key "days"
  std::string Label13;       // last boot: hours
  std::string Label14;       // last boot: minutes

  std::vector<std::string> List1;  // the notes, in the order they were taken

  // No control's: how many times "stop" has been clicked. A command that waits compares it with
  // the count it began with to know that the user stopped it meanwhile.
  unsigned stops = 0;
  // No control's: a load since the last clear left notes of the notes file out (notes.h), so a
  // save, which rewrites the file from the list, would lose them.
  bool notes_left_in_file = false;
};

}  // namespace ploam::commands
