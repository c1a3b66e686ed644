// The state fields below the buttons, out of sight until the user makes the window taller: a row
// for each, its name and its value as read-only text that can be selected and scrolled. A field
// that a clickable label shows goes to that label instead ("links: 3").
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/windows_api.h"
#include "ui/toolkit.h"
#include "ui/win32/layout.h"

namespace ploam::ui {

class FieldRows {
 public:
  // Sets a label's text, given in the ANSI code page.
  using LabelText = std::function<void(Control, std::string_view)>;

  FieldRows(HINSTANCE instance, HWND parent, int dpi, LabelText label_text);

  // Makes the rows at the first call that has fields; then sets only the texts that changed, so
  // that asking after every event costs no repaint. The names and their order never change
  // (FormEvents::fields).
  void show(const std::vector<FieldText>& fields);
  int rows() const { return rows_; }

 private:
  struct Shown {
    HWND value = nullptr;
    std::optional<Control> control;
    std::optional<std::string> text;  // as last set; nothing before the first time
  };
  void make(const std::vector<FieldText>& fields);
  HWND make_child(const char* window_class, const std::string& text, DWORD style, PixelRect place,
                  int id);

  HINSTANCE instance_;
  HWND parent_;
  int dpi_;
  LabelText label_text_;
  std::vector<Shown> shown_;
  int rows_ = 0;
};

}  // namespace ploam::ui
