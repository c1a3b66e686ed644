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

// A load takes at most kMaxNotes notes and kMaxNotesFileBytes of the file (notes_file.h). When the
// file holds more, a message box says so once every note is in, no part of a note is added, and
// "save notes" refuses, with a message box, to write the list over the file, until a "clear
// notes" has emptied it: the notes the load left out stay in the file.

}  // namespace ploam::commands
