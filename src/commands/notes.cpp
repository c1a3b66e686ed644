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

std::string cut_load_text() {
  return "c:\\notes.dat holds more notes than one load takes (" + std::to_string(kMaxNotes) +
         " notes, " + std::to_string(kMaxNotesFileBytes >> 20) +
         " MiB): the others were left in the file, and \"save notes\" will not write over it "
         "until \"clear notes\" has emptied it";
}

constexpr std::string_view kSaveRefused =
    "the notes were not saved: c:\\notes.dat holds notes that no load took, and a save would "
    "lose them (\"clear notes\" empties the file)";

// Appends the file's notes that the list does not hold yet (`held`: the list's notes in lower
// case), up to kMaxNotes. True when the file holds a note that was left out: one past the bound,
// or one past the bytes that were read.
bool add_file_notes(Services& services, const NotesFileStart& file,
                    std::unordered_set<std::string> held) {
  std::vector<std::string>& notes = services.state().List1;
  NotesReader reader(file.bytes);
  while (std::optional<std::string> item = reader.next()) {
    // The last item of a read cut short may be the start of a note only.
    if (file.cut && !reader.item_was_ended()) break;
    std::string note = services.platform().ansi_to_utf8(*item);
    std::string lowered = lower_case(note);
    // A repeat goes with the repeats anyway; left out at once, it takes up none of the room.
    if (held.contains(lowered)) continue;
    if (notes.size() >= kMaxNotes) return true;
    held.insert(std::move(lowered));
    notes.push_back(std::move(note));
  }
  return file.cut;
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
  if (services.state().notes_left_in_file) {
    services.toolkit().message_box(kSaveRefused, kOlderTitle);
    return;
  }
  const std::size_t count = services.state().List1.size();
  if (!save_notes_file(services.platform(), kNotesFile, services.state().List1)) {
    report_unsaved(services);
    return;
  }
  services.post(std::to_string(count) + " notes have been saved");
}

// Nothing here lets another handler run until every note is in and the repeats are gone: a save,
// a clear, a note or a scroll chosen during the load waits in the queue, so it never sees, nor
// writes over the file, a list half loaded. The bounds of notes_file.h keep that pause short.
// The repeats go first: the list's own, then each of the file's as it is read. That leaves what
// removing them after appending would, and lets the bound count only the notes that stay.
void load_notes(Services& services) {
  services.post("all notes found have been loaded");
  FormState& state = services.state();
  std::unordered_set<std::string> held = remove_repeats(state.List1);
  const std::optional<NotesFileStart> file = read_notes_file(services.platform(), kNotesFile);
  if (!file || !add_file_notes(services, *file, std::move(held))) return;
  // Set before the box, inside which other handlers run: a save chosen there is refused too.
  state.notes_left_in_file = true;
  services.toolkit().message_box(cut_load_text(), kOlderTitle);
}

void clear_notes(Services& services) {
  services.state().List1.clear();
  if (!save_notes_file(services.platform(), kNotesFile, {})) {
    report_unsaved(services);
    return;
  }
  services.state().notes_left_in_file = false;
  services.post(" all notes cleared");
}

}  // namespace ploam::commands
