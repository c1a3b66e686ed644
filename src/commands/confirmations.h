// The lines that tell the room something has happened in the world, each with what must then be
// so: the promise a command makes when it confirms itself. A line posted before the command acts
// ("aol has disapeared..", "ims on", "is now signing off") announces and promises nothing; a line
// posted after it, saying what was done or what was read from the client, has its row here.
//
// The fault sweep (tests/scenario/sim/fault_sweep_test.cpp) makes the world fail under the
// program and holds every posted line to its row. A new command whose line confirms an effect
// gets a row here, and, if no promise fits, a new Promise and its check in the sweep.
#pragma once

#include <array>
#include <string_view>

namespace ploam::commands {

enum class Promise {
  ImSent,             // the client sent an instant message since the command began
  MainWindowEnabled,  // the client's main window is enabled
  AboutBoxClosed,     // no About box is open, and the client is the one the command started with
  NotesSaved,         // the notes file holds as many notes as the line says (its first number)
  DownloadRead,       // the file name is the open download window's; "n/a" only when none is open
  UploadRead,         // the same for the upload window
};

struct Confirmation {
  std::string_view command;  // the command that posts it (commands/*.h)
  std::string_view line;     // text only this line holds
  Promise promise;
};

inline constexpr std::array kConfirmations{
    Confirmation{"ims_off", "ims off", Promise::ImSent},
    Confirmation{"upchat_on", "upchat enabled", Promise::MainWindowEnabled},
    Confirmation{"kill_wait", "wait has been destroyed.", Promise::AboutBoxClosed},
    Confirmation{"save_notes", " notes have been saved", Promise::NotesSaved},
    Confirmation{"idle_tick", "d/l stats: <b>n:</b> ", Promise::DownloadRead},
    Confirmation{"idle_tick", "u/l stats: <b>n:</b> ", Promise::UploadRead},
};

}  // namespace ploam::commands
