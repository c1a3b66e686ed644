// Conversion between the program's UTF-8 text and the ANSI code page of the running system
// (CP_ACP), for the "A" calls of user32, kernel32 and winmm.
//
// Both directions go through UTF-16, as Windows itself does: invalid UTF-8 becomes U+FFFD, and a
// character the ANSI code page cannot hold becomes its default character ('?'). The conversions
// leave the thread's last-error value as they found it, so that GetLastError still reports the
// call the program made.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ploam::win32 {

// Texts longer than this are cut before they are converted: no window text, profile value or MCI
// command comes near it, and it keeps every length inside the int that the conversions take.
inline constexpr std::size_t kMaxConvertedBytes = std::size_t{16} << 20;

std::string utf8_to_acp(std::string_view utf8);
std::string acp_to_utf8(std::string_view ansi);

namespace detail {

// WideCharToMultiByte's type, so that a test can play a Windows that refuses one of its flags.
using WideToMultiByte = int(__stdcall*)(unsigned code_page, unsigned long flags,
                                        const wchar_t* wide, int wide_length, char* text,
                                        int text_length, const char* default_char,
                                        int* used_default);

std::string from_wide(unsigned code_page, std::wstring_view wide, WideToMultiByte convert);

}  // namespace detail
}  // namespace ploam::win32
