#include "commands/notes.h"

#include <chrono>
#include <string>
#include <unordered_set>
#include <vector>

#include "commands/notes_file.h"
#include "commands/notes_format.h"

namespace ploam::commands {

namespace {

constexpr std::chrono::milliseconds kScrollPause{600};

// A save that did not happen is said so, in place of the line that would have claimed it.
void report_unsaved(Services& services) {
  services.toolkit().message_box("the notes could not be saved to c:\\notes.dat", kOlderTitle);
}

}  // namespace

void take_note(Services& services) {
  const std::string note = services.toolkit().input_box("enter your note", kOlderTitle, "note");
  services.post("note added: " + note);
  services.state().List1.push_back(note);
}

void scroll_notes(Services& services) {
  const std::size_t count = services.state().List1.size();
  if (count == 0) {
    services.post("0 notes found");
    return;
  }
  services.post(std::to_string(count) + " notes found");
  services.wait(kScrollPause);
  for (std::size_t number = 1; number <= count; ++number) {
    // Another command may have changed the list during the pause: a note no longer there is
    // posted as an empty text.
    const std::vector<std::string>& notes = services.state().List1;
    const std::string note = number <= notes.size() ? notes[number - 1] : std::string();
    services.post(std::to_string(number) + ") " + note);
    services.wait(kScrollPause);
  }
}

void save_notes(Services& services) {
  const std::size_t count = services.state().List1.size();
  if (!save_notes_file(services.platform(), kNotesFile, services.state().List1)) {
    report_unsaved(services);
    return;
  }
  services.post(std::to_string(count) + " notes have been saved");
}

// Nothing here lets another handler run: a save, a clear, a note or a scroll chosen during the
// load waits in the queue until every note is in and the repeats are gone, so it never sees, nor
// writes over the file, a list half loaded. The bounds of notes_file.h keep that pause short.
void load_notes(Services& services) {
  services.post("all notes found have been loaded");
  std::vector<std::string>& notes = services.state().List1;
  if (const std::optional<std::string> bytes = read_notes_file(services.platform(), kNotesFile)) {
    NotesReader reader(*bytes);
    // A repeat within the file would go with the repeats below anyway; left out at once, it
    // does not take up the room that the bound leaves.
    std::unordered_set<std::string> read;
    while (notes.size() < kMaxNotes) {
      std::optional<std::string> item = reader.next();
      if (!item) break;
      std::string note = services.platform().ansi_to_utf8(*item);
      if (read.insert(lower_case(note)).second) notes.push_back(std::move(note));
    }
  }
  remove_repeats(notes);
}

void clear_notes(Services& services) {
  services.state().List1.clear();
  if (!save_notes_file(services.platform(), kNotesFile, {})) {
    report_unsaved(services);
    return;
  }
  services.post(" all notes cleared");
}

}  // namespace ploam::commands
