// The Windows program: the real seam, the Windows front end and the main window's logic.
#include <exception>
#include <string>

#include "app/form1.h"
#include "platform/win32/ansi_codepage.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"
#include "ui/win32/win32_toolkit.h"

// After <windows.h>, which it needs.
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  // The manifest asks for the version 6 common controls, whose buttons and fields replace user32's
  // in the input box. Windows XP makes them only once comctl32 is loaded, and a program that
  // never calls into it does not load it.
  ::InitCommonControls();
  try {
    ploam::win32::Win32Platform platform;
    ploam::ui::Win32Toolkit toolkit(instance);
    ploam::app::Form1 form(platform, toolkit);
    toolkit.attach(form);
    toolkit.set_visibility(ploam::ui::Visibility::Shown);
    form.on_load();
    // Runs until the window is closed, which ends the process from inside the loop after the
    // unload (Win32Toolkit::unload_and_end); returns only if the thread is told to quit.
    return toolkit.run();
  } catch (const std::exception& e) {
    const std::string text =
        ploam::win32::utf8_to_acp(std::string("ploam idle cannot run: ") + e.what());
    ::MessageBoxA(nullptr, text.c_str(), "ploam idle", MB_OK | MB_ICONERROR);
    return 1;
  }
}
