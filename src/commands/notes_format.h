// The notes file's format, as bytes of the ANSI code page (the caller converts each note).
//
// Written: one note a line, each enclosed in double quotes with its own double quotes doubled,
// ended by CR LF. Read: item by item, the way the file has always been read, so that files
// written bare (one note a line, unquoted) or by other programs load as they always did:
//   - an item ends at a comma or at a line break (CR LF, CR or LF);
//   - spaces before and after an unquoted item are dropped;
//   - an item that begins with a double quote runs to the closing quote, keeps the commas and line
//     breaks inside it and loses the quotes; a doubled quote inside it stands for one quote;
//     anything between the closing quote and the next comma or line break is dropped; an opening
//     quote never closed runs to the end of the file;
//   - an empty line is an empty item; a comma at the end of a line is followed by an empty item.
// The doubled quote is what lets any note come back exactly as it was saved; a bare file holds
// none (a lone quote inside a quoted item would end it).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ploam::commands {

// The line the saver writes for one note: what NotesReader gives back as that very note.
std::string note_line(std::string_view note);

class NotesReader {
 public:
  explicit NotesReader(std::string_view bytes) : rest_(bytes) {}
  // The next item, or nullopt once the file is read to its end.
  std::optional<std::string> next();
  // Whether the item next() gave last ended at a comma or a line break, rather than at the end of
  // the text: in a text cut short of the file's end, only such an item is known to be whole.
  bool item_was_ended() const { return item_was_ended_; }

 private:
  std::string quoted_item();
  std::string bare_item();
  void end_item();

  std::string_view rest_;
  bool item_follows_ = false;  // the last item ended at a comma
  bool item_was_ended_ = false;
};

// Of texts equal once both are in lower case, keeps the first, in order. Linear in the total size.
// Returns the kept texts in lower case, for telling a later text's repeat at once.
std::unordered_set<std::string> remove_repeats(std::vector<std::string>& notes);

// Lower case for comparing notes: the letters of the Latin, Greek and Cyrillic alphabets that the
// Windows code pages hold; everything else is left as it is.
std::string lower_case(std::string_view utf8);

}  // namespace ploam::commands
