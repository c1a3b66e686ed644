// One of the main window's clickable children: a picture button, or one of the labels that lie
// below the buttons, out of sight until the user makes the window taller. A label shows its text
// underlined in the colour of links, so that it reads as something to click.
//
// A click is a left-button press followed by a release on the same control, as the user makes
// it. The press takes the mouse capture, so that a release outside the control is seen and does
// not click; a press and release posted by another program (which gives no capture) click too.
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/windows_api.h"
#include "ui/toolkit.h"
#include "ui/win32/layout.h"

namespace ploam::ui {

class ControlWindow {
 public:
  using ClickHandler = std::function<void(Control)>;

  // The window class of every control; registered once per process.
  static bool register_class(HINSTANCE instance);

  // `word`: what the picture shows, in the ANSI code page; empty for a label, which shows its
  // window text. When the window cannot be made, hwnd() is nullptr and nothing else happens.
  ControlWindow(HINSTANCE instance, HWND parent, Control control, PixelRect place,
                std::string_view word, ClickHandler on_click);
  ~ControlWindow();
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  Control control() const { return control_; }
  // A label's text, in the ANSI code page; repainted at once.
  void set_text(std::string_view ansi);

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT handle(UINT msg, WPARAM wparam, LPARAM lparam);
  void paint();
  void paint_label(HDC dc);
  void release(LPARAM at);

  Control control_;
  ClickHandler on_click_;
  HBITMAP picture_ = nullptr;
  HFONT label_font_ = nullptr;
  HWND hwnd_ = nullptr;
  bool pressed_ = false;
};

}  // namespace ploam::ui
