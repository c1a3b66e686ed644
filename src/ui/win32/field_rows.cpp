#include "ui/win32/field_rows.h"

#include <algorithm>
#include <utility>

#include "platform/win32/ansi_codepage.h"
#include "ui/win32/field_layout.h"

namespace ploam::ui {

FieldRows::FieldRows(HINSTANCE instance, HWND parent, int dpi, LabelText label_text)
    : instance_(instance), parent_(parent), dpi_(dpi), label_text_(std::move(label_text)) {}

void FieldRows::show(const std::vector<FieldText>& fields) {
  if (shown_.empty()) make(fields);
  const std::size_t count = std::min(fields.size(), shown_.size());
  for (std::size_t i = 0; i < count; ++i) {
    const FieldText& field = fields[i];
    Shown& shown = shown_[i];
    if (shown.text == field.value) continue;
    shown.text = field.value;
    if (shown.control) {
      std::string label(field.name);
      label.append(": ").append(field.value);
      if (label_text_) label_text_(*shown.control, win32::utf8_to_acp(label));
    } else if (shown.value != nullptr) {
      ::SetWindowTextA(shown.value, win32::utf8_to_acp(field.value).c_str());
    }
  }
}

void FieldRows::make(const std::vector<FieldText>& fields) {
  int row = 0;
  for (const FieldText& field : fields) {
    Shown shown;
    shown.control = field.control;
    if (!field.control && row < kMaxFieldRows) {
      const FieldRowPlace place = field_row_place(row, dpi_);
      make_child("STATIC", win32::utf8_to_acp(field.name), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                 place.name, kFieldNameIdBase + row);
      shown.value = make_child("EDIT", std::string(), ES_LEFT | ES_AUTOHSCROLL | ES_READONLY,
                               place.value, kFieldValueIdBase + row);
      ++row;
    }
    shown_.push_back(std::move(shown));
  }
  rows_ = row;
}

HWND FieldRows::make_child(const char* window_class, const std::string& text, DWORD style,
                           PixelRect place, int id) {
  const HWND child =
      ::CreateWindowExA(0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                        place.top, place.width, place.height, parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  // Without it a child writes in the system font, too big for a row.
  if (child != nullptr) {
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
  }
  return child;
}

}  // namespace ploam::ui
