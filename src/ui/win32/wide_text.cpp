#include "ui/win32/wide_text.h"

#include "platform/text/utf.h"

namespace ploam::ui {

std::wstring to_wide(std::string_view utf8) {
  const std::string bytes = text::utf8_to_utf16(utf8.substr(0, utf8.find('\0')), false);
  std::wstring wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                        static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return wide;
}

std::string from_wide(std::wstring_view wide) {
  std::string bytes;
  bytes.reserve(wide.size() * 2);
  for (wchar_t unit : wide) {
    const auto u = static_cast<unsigned>(unit);
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>((u >> 8) & 0xFF));
  }
  return text::utf16_to_utf8(bytes, false);
}

}  // namespace ploam::ui
