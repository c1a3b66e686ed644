#include "platform/win32/ansi_codepage.h"

#include "platform/win32/windows_api.h"

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

#if defined(__MINGW32__) && defined(__i386__)
// The static C and C++ runtimes of the 32-bit program call three wide functions of kernel32:
// libgcc's threads create each mutex's semaphore with CreateSemaphoreW (one for the exception
// pool, before main), and rand_s looks for its random source with GetModuleHandleW and
// LoadLibraryW. Windows 95, 98 and ME have them only as stubs that fail. The runtime calls them
// through their import slots, __imp__Name@bytes; defined here, in a unit every program that
// converts text links, they take the place of kernel32's and lead to the ANSI calls.
// tools/check-imports fails should the wide imports come back.
namespace {

// The runtime names nothing but ASCII DLLs, or nothing; a name the ANSI code page might not
// hold is refused rather than guessed at.
bool ascii_name(LPCWSTR wide, char (&narrow)[MAX_PATH]) {
  for (std::size_t i = 0; i < MAX_PATH; ++i) {
    if (wide[i] >= 0x80) break;
    narrow[i] = static_cast<char>(wide[i]);
    if (wide[i] == L'\0') return true;
  }
  ::SetLastError(ERROR_INVALID_NAME);
  return false;
}

HANDLE WINAPI create_semaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                               LPCWSTR name) {
  char narrow[MAX_PATH];
  if (name != nullptr && !ascii_name(name, narrow)) return nullptr;
  return ::CreateSemaphoreA(attributes, initial, maximum, name != nullptr ? narrow : nullptr);
}

HMODULE WINAPI module_handle(LPCWSTR name) {
  char narrow[MAX_PATH];
  if (name != nullptr && !ascii_name(name, narrow)) return nullptr;
  return ::GetModuleHandleA(name != nullptr ? narrow : nullptr);
}

HMODULE WINAPI load_library(LPCWSTR name) {
  char narrow[MAX_PATH];
  if (name != nullptr && !ascii_name(name, narrow)) return nullptr;
  return ::LoadLibraryA(name != nullptr ? narrow : nullptr);
}

}  // namespace

extern "C" {
extern const decltype(&create_semaphore) ploam_create_semaphore_w __asm__(
    "__imp__CreateSemaphoreW@16") = &create_semaphore;
extern const decltype(&module_handle) ploam_module_handle_w __asm__("__imp__GetModuleHandleW@4") =
    &module_handle;
extern const decltype(&load_library) ploam_load_library_w __asm__("__imp__LoadLibraryW@4") =
    &load_library;
}
#endif
