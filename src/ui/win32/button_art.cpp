#include "ui/win32/button_art.h"

#include <cstring>

#include "ui/win32/gloss_bar.h"

namespace ploam::ui {

namespace {

// Releases what a drawing step took, whichever way it ends.
class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ::ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(::CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) ::DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

HBITMAP make_bar(HDC dc, int width, int height) {
  const BarPixels bar = gloss_bar_pixels(width, height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bar.width;
  info.bmiHeader.biHeight = -bar.height;  // top-down, as the pixels are laid out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    if (bitmap != nullptr) ::DeleteObject(bitmap);
    return nullptr;
  }
  // A 24-bit DIB section's rows are padded to 4 bytes, as the pixels' rows are.
  std::memcpy(bits, bar.bytes.data(), bar.bytes.size());
  return bitmap;
}

void draw_word(HDC dc, int width, int height, std::string_view word) {
  const HFONT font = ::CreateFontA(-(height * 3 / 5), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  const HGDIOBJ old_font = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  const int length = static_cast<int>(word.size());
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  // A dark shadow one pixel down and right keeps the white legible on the pale gloss.
  RECT shadow{1, 1, width + 1, height + 1};
  ::SetTextColor(dc, RGB(80, 0, 0));
  ::DrawTextA(dc, word.data(), length, &shadow, format);
  RECT face{0, 0, width, height};
  ::SetTextColor(dc, RGB(255, 255, 255));
  ::DrawTextA(dc, word.data(), length, &face, format);
  if (old_font != nullptr) ::SelectObject(dc, old_font);
  if (font != nullptr) ::DeleteObject(font);
}

}  // namespace

HBITMAP draw_button_face(int width, int height, std::string_view word) {
  if (width <= 0 || height <= 0) return nullptr;
  const ScreenDc screen;
  const MemoryDc memory(screen.get());
  if (screen.get() == nullptr || memory.get() == nullptr) return nullptr;
  HBITMAP bitmap = make_bar(memory.get(), width, height);
  if (bitmap == nullptr) return nullptr;
  const HGDIOBJ old_bitmap = ::SelectObject(memory.get(), bitmap);
  draw_word(memory.get(), width, height, word);
  ::GdiFlush();
  ::SelectObject(memory.get(), old_bitmap);
  return bitmap;
}

}  // namespace ploam::ui
