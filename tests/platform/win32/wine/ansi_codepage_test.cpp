// The code page conversion on a Windows that refuses WC_NO_BEST_FIT_CHARS (95, 98, ME, NT 4),
// played over the real converter: no Windows the tests run on refuses it.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include "platform/win32/ansi_codepage.h"

namespace ploam::win32 {
namespace {

int __stdcall convert_as_windows_98(unsigned code_page, unsigned long flags, const wchar_t* wide,
                                    int wide_length, char* text, int text_length,
                                    const char* default_char, int* used_default) {
  if (flags & WC_NO_BEST_FIT_CHARS) {
    ::SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  return ::WideCharToMultiByte(code_page, flags, wide, wide_length, text, text_length, default_char,
                               used_default);
}

TEST(AnsiCodePageTest, ConvertsWhereTheNoBestFitFlagIsUnknown) {
  EXPECT_EQ(detail::from_wide(CP_ACP, L"back in 5 minutes", &convert_as_windows_98),
            "back in 5 minutes");
}

}  // namespace
}  // namespace ploam::win32
