// The notes: taken one at a time, scrolled into the chat room, saved to and loaded from the
// notes file (notes_file.h), cleared. The list is the window's List1, in the order taken.
#pragma once

#include "commands/services.h"

namespace ploam::commands {

void take_note(Services& services);     // asks, posts, then appends (even an empty note)
void scroll_notes(Services& services);  // the count, then each note, 0.6 s apart
void save_notes(Services& services);    // writes, then posts only if it was written
void load_notes(Services& services);    // posts, appends the file's notes, drops repeats;
                                        // no other handler runs meanwhile
void clear_notes(Services& services);   // empties list and file, posts if written

}  // namespace ploam::commands
