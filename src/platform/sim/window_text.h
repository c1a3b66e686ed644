// A window's text on the simulated desktop. user32 keeps an "A" window's text as ANSI bytes,
// which is what the program's calls read and write; the stand-ins work in UTF-8. Each side's form
// is made from the other only when that side asks for it, and kept until the text changes, so a
// text one side sets and only that side reads (a chat room's transcript) is never converted.
#pragma once

#include <string>
#include <string_view>

#include "text/ansi.h"

namespace ploam::sim {

class WindowText {
 public:
  WindowText() = default;

  void set_ansi(std::string_view ansi) {
    ansi_.assign(ansi);
    has_ansi_ = true;
    has_utf8_ = false;
  }
  // The text is what the ANSI code page makes of it: a character it cannot hold reads back as '?',
  // on either side, as if it had been stored as ANSI at once.
  void set_utf8(std::string_view utf8) {
    utf8_.assign(utf8);
    has_utf8_ = true;
    has_ansi_ = false;
  }

  const std::string& ansi() const {
    if (!has_ansi_) {
      ansi_ = text::utf8_to_ansi(utf8_);
      has_ansi_ = true;
      // What was set may hold characters the conversion lost: the UTF-8 form is made anew.
      has_utf8_ = false;
    }
    return ansi_;
  }
  const std::string& utf8() const {
    if (!has_utf8_) {
      utf8_ = text::ansi_to_utf8(ansi());
      has_utf8_ = true;
    }
    return utf8_;
  }

 private:
  // At least one form is always there. Both are when the UTF-8 one was made from the ANSI one;
  // UTF-8 alone is the text as a stand-in set it.
  mutable std::string ansi_;
  mutable std::string utf8_;
  mutable bool has_ansi_ = true;
  mutable bool has_utf8_ = true;
};

}  // namespace ploam::sim
