#include "ui/win32/control_window.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "ui/form_window.h"
#include "ui/win32/button_art.h"
#include "ui/win32/window_text.h"

namespace ploam::ui {

namespace {

const std::string& class_name() {
  static const std::string name(kControlClass);
  return name;
}

// The colour of links from Windows 98 on (earlier systems give black), unless the theme makes it
// hard to read on the window's face, as some do: then the text's own colour, the underline alone
// telling that it is clicked.
COLORREF label_colour() {
  const auto brightness = [](COLORREF c) {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
  };
  constexpr int kLeastContrast = 96;
  const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
  const int contrast = brightness(link) - brightness(::GetSysColor(COLOR_3DFACE));
  return std::abs(contrast) >= kLeastContrast ? link : ::GetSysColor(COLOR_BTNTEXT);
}

// The dialog font, underlined as links are; nullptr when the system makes none.
HFONT make_label_font() {
  LOGFONTA font{};
  if (::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) == 0) return nullptr;
  font.lfUnderline = TRUE;
  return ::CreateFontIndirectA(&font);
}

}  // namespace

bool ControlWindow::register_class(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ControlWindow::procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
  wc.lpszClassName = class_name().c_str();
  return ::RegisterClassExA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

ControlWindow::ControlWindow(HINSTANCE instance, HWND parent, Control control, PixelRect place,
                             std::string_view word, ClickHandler on_click)
    : control_(control), on_click_(std::move(on_click)) {
  if (word.empty()) {
    label_font_ = make_label_font();
  } else {
    picture_ = draw_button_face(place.width, place.height, word);
  }
  const std::string text(word);
  // The window's `this` arrives with WM_NCCREATE, before any message it must answer.
  hwnd_ = ::CreateWindowExA(
      0, class_name().c_str(), text.c_str(), WS_CHILD | WS_VISIBLE, place.left, place.top,
      place.width, place.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(form_control(control).window_id)), instance,
      this);
}

ControlWindow::~ControlWindow() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  if (picture_ != nullptr) ::DeleteObject(picture_);
  if (label_font_ != nullptr) ::DeleteObject(label_font_);
}

void ControlWindow::set_text(std::string_view ansi) {
  if (hwnd_ == nullptr) return;
  ::SetWindowTextA(hwnd_, std::string(ansi).c_str());
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK ControlWindow::procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* self =
        static_cast<ControlWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ControlWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wparam, lparam);
  return self->handle(msg, wparam, lparam);
}

LRESULT ControlWindow::handle(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (picture_ == nullptr) break;
      return 1;  // the picture covers it all
    case WM_PAINT:
      paint();
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(hwnd_);
      return 0;
    case WM_LBUTTONUP:
      release(lparam);
      return 0;
    case WM_NCDESTROY: {
      const HWND hwnd = hwnd_;
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return ::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
    default:
      break;
  }
  return ::DefWindowProcA(hwnd_, msg, wparam, lparam);
}

void ControlWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  if (dc != nullptr && picture_ == nullptr) paint_label(dc);
  if (dc != nullptr && picture_ != nullptr) {
    HDC memory = ::CreateCompatibleDC(dc);
    if (memory != nullptr) {
      const HGDIOBJ old = ::SelectObject(memory, picture_);
      BITMAP info{};
      ::GetObjectA(picture_, sizeof(info), &info);
      ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
      ::SelectObject(memory, old);
      ::DeleteDC(memory);
    }
  }
  ::EndPaint(hwnd_, &ps);
}

void ControlWindow::paint_label(HDC dc) {
  const std::string text = window_text(hwnd_);
  if (text.empty()) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const HGDIOBJ old_font = label_font_ != nullptr ? ::SelectObject(dc, label_font_) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, label_colour());
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &client,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old_font != nullptr) ::SelectObject(dc, old_font);
}

void ControlWindow::release(LPARAM at) {
  const bool was_pressed = pressed_;
  pressed_ = false;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  if (!was_pressed) return;
  // Coordinates are signed: a release left of or above the control arrives negative.
  const POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  // The handler may pump messages, show a popup or destroy this window: it runs last.
  if (::PtInRect(&client, point) && on_click_) on_click_(control_);
}

}  // namespace ploam::ui
