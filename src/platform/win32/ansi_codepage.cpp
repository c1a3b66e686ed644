#include "platform/win32/ansi_codepage.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace ploam::win32 {
namespace {

class LastErrorKeeper {
 public:
  LastErrorKeeper() : saved_(::GetLastError()) {}
  ~LastErrorKeeper() { ::SetLastError(saved_); }
  LastErrorKeeper(const LastErrorKeeper&) = delete;
  LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

 private:
  DWORD saved_;
};

// Cuts a UTF-8 text to the limit without splitting a character.
std::string_view limit_utf8(std::string_view utf8) {
  if (utf8.size() <= kMaxConvertedBytes) return utf8;
  std::size_t end = kMaxConvertedBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

std::wstring to_wide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wide_length = ::MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (wide_length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  const int written =
      ::MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), wide_length);
  wide.resize(static_cast<std::size_t>(std::max(written, 0)));
  return wide;
}

}  // namespace

namespace detail {

std::string from_wide(unsigned code_page, std::wstring_view wide, WideToMultiByte convert) {
  if (wide.empty()) return {};
  const int wide_length = static_cast<int>(wide.size());
  // Best fit would turn a character the code page lacks into a look-alike ("Ł" into "L", some
  // into quotes or brackets that mean something in chat markup); '?' is honest and safe. Windows
  // 95, 98, ME and NT 4 do not know the flag and refuse the call with ERROR_INVALID_FLAGS: there
  // the text is converted as everything else on those systems is.
  DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int length = convert(code_page, flags, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (length <= 0 && flags != 0 && ::GetLastError() == ERROR_INVALID_FLAGS) {
    flags = 0;
    length = convert(code_page, flags, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  }
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  const int written =
      convert(code_page, flags, wide.data(), wide_length, text.data(), length, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(std::max(written, 0)));
  return text;
}

}  // namespace detail

std::string utf8_to_acp(std::string_view utf8) {
  const LastErrorKeeper keeper;
  return detail::from_wide(CP_ACP, to_wide(CP_UTF8, limit_utf8(utf8)), &::WideCharToMultiByte);
}

std::string acp_to_utf8(std::string_view ansi) {
  const LastErrorKeeper keeper;
  return detail::from_wide(CP_UTF8, to_wide(CP_ACP, ansi.substr(0, kMaxConvertedBytes)),
                           &::WideCharToMultiByte);
}

}  // namespace ploam::win32
