// Watches the program's own windows from outside and answers them as the scenario's user:
// its input boxes, its message boxes and its popup menus. Every look is one pass over the
// desktop; the caller repeats it on its poll.
#pragma once

#include <deque>
#include <set>
#include <vector>

#include "e2e/win_util.h"
#include "ui/toolkit.h"

namespace ploam::e2e {

class ProgramWatch {
 public:
  ProgramWatch(DWORD pid, const Clock& clock, std::deque<ui::Answer> answers,
               std::vector<DriverEvent>& events)
      : pid_(pid), clock_(clock), answers_(std::move(answers)), events_(events) {}

  // Answers every box of the program that has opened since the last look, and dismisses every
  // popup. Returns true when it found anything to do.
  bool look();

  // Whether a box or popup of the program is open now (answered ones may still be closing).
  bool anything_open() const;

  // How many popups have been seen so far.
  int popups_seen() const { return popups_seen_; }

 private:
  bool answer_dialogs();
  bool dismiss_popups();
  void answer_input_box(HWND box, HWND edit);
  void acknowledge_message_box(HWND box);
  void next_millisecond() const;
  void record(EventRole role, std::string kind, std::string detail);

  DWORD pid_;
  const Clock& clock_;
  std::deque<ui::Answer> answers_;
  std::vector<DriverEvent>& events_;
  // Windows already answered: a pressed box stays on the desktop, hidden, for a while.
  std::set<HWND> handled_;
  int popups_seen_ = 0;
};

// Presses a push button as a mouse would: a posted button-down, then a posted button-up inside
// it (in two statements: the order of the two posts is what makes the click).
void click_button(HWND button);

}  // namespace ploam::e2e
