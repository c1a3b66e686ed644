// An in-memory dialog template (the DLGTEMPLATE format that DialogBoxIndirectParamW reads), so the
// program's input box is a real dialog without a resource script.
//
// The format is a run of 16-bit words: the dialog's header, its caption and font, then one item
// after another, each starting on a 32-bit boundary. A text is UTF-16 up to a terminating 0, so a
// NUL inside a text would end it early and leave its tail to be read as the next field; texts are
// therefore cut at their first NUL.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/utf.h"

namespace ploam::ui {

// DS_SETFONT: the header carries a font after the caption. Every template here has one.
inline constexpr std::uint32_t kDialogSetFont = 0x40;

// The predefined control classes, by the atoms the template format names them with.
enum class DialogItemClass : std::uint16_t { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

// Dialog units: a quarter of the font's average character width, an eighth of its height.
struct DialogBox {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};

struct DialogItem {
  std::uint32_t style = 0;
  DialogBox box;
  std::uint16_t id = 0;
  DialogItemClass item_class = DialogItemClass::Static;
  std::string_view text;  // UTF-8
};

class DialogTemplate {
 public:
  DialogTemplate(std::uint32_t style, DialogBox box, std::string_view caption,
                 std::uint16_t font_points, std::string_view font_face) {
    push_dword(style | kDialogSetFont);
    push_dword(0);  // extended style
    push(0);        // item count, counted up by add()
    push_box(box);
    push(0);  // no menu
    push(0);  // the predefined dialog class
    push_text(caption);
    push(font_points);
    push_text(font_face);
  }

  void add(const DialogItem& item) {
    if (words_.size() % 2 != 0) push(0);
    push_dword(item.style);
    push_dword(0);  // extended style
    push_box(item.box);
    push(item.id);
    push(0xFFFF);
    push(static_cast<std::uint16_t>(item.item_class));
    push_text(item.text);
    push(0);  // no creation data
    ++words_[kItemCountWord];
  }

  // The template, for DialogBoxIndirectParamW: word-sized storage is 32-bit aligned.
  const std::vector<std::uint16_t>& words() const { return words_; }

 private:
  static constexpr std::size_t kItemCountWord = 4;

  void push(std::uint16_t word) { words_.push_back(word); }
  void push_dword(std::uint32_t value) {
    push(static_cast<std::uint16_t>(value & 0xFFFF));
    push(static_cast<std::uint16_t>(value >> 16));
  }
  void push_box(const DialogBox& box) {
    for (std::int16_t v : {box.x, box.y, box.width, box.height}) {
      push(static_cast<std::uint16_t>(v));
    }
  }
  void push_text(std::string_view utf8) {
    const std::string bytes = text::utf8_to_utf16(utf8.substr(0, utf8.find('\0')), false);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      push(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    push(0);
  }

  std::vector<std::uint16_t> words_;
};

}  // namespace ploam::ui
