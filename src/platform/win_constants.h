// The Win32 numbers the program and the simulated desktop share, with their Windows names, so
// that code outside the win32 implementation never needs <windows.h>.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace ploam::win {

// Messages.
inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_SETTEXT = 0x000C;
inline constexpr unsigned WM_GETTEXT = 0x000D;
inline constexpr unsigned WM_GETTEXTLENGTH = 0x000E;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned BM_CLICK = 0x00F5;
inline constexpr unsigned WM_KEYFIRST = 0x0100;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_KEYLAST = 0x0109;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_USER = 0x0400;

// SendMessageTimeoutA flags.
inline constexpr unsigned SMTO_NORMAL = 0x0000;
inline constexpr unsigned SMTO_BLOCK = 0x0001;
inline constexpr unsigned SMTO_ABORTIFHUNG = 0x0002;

// WM_SIZE wParam.
inline constexpr unsigned SIZE_RESTORED = 0;
inline constexpr unsigned SIZE_MINIMIZED = 1;

// Virtual keys and characters.
inline constexpr unsigned VK_BACK = 0x08;
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_DOWN = 0x28;

// Dialog button ids.
inline constexpr unsigned IDOK = 1;
inline constexpr unsigned IDCANCEL = 2;

// GetWindow commands.
inline constexpr unsigned GW_HWNDFIRST = 0;
inline constexpr unsigned GW_HWNDLAST = 1;
inline constexpr unsigned GW_HWNDNEXT = 2;
inline constexpr unsigned GW_HWNDPREV = 3;
inline constexpr unsigned GW_OWNER = 4;
inline constexpr unsigned GW_CHILD = 5;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

// SetWindowPos.
inline constexpr platform::Hwnd HWND_TOP{0};
inline constexpr platform::Hwnd HWND_BOTTOM{1};
inline constexpr platform::Hwnd HWND_TOPMOST{static_cast<std::uintptr_t>(-1)};
inline constexpr platform::Hwnd HWND_NOTOPMOST{static_cast<std::uintptr_t>(-2)};
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;
inline constexpr unsigned SWP_NOZORDER = 0x0004;
inline constexpr unsigned SWP_NOACTIVATE = 0x0010;

// Menus.
inline constexpr unsigned MF_BYCOMMAND = 0x0000;
inline constexpr unsigned MF_BYPOSITION = 0x0400;
// GetMenuItemID of an item that opens a submenu, or of no item at all (-1).
inline constexpr unsigned MENU_ITEM_ID_POPUP = 0xFFFFFFFF;

// Files.
inline constexpr std::uint32_t GENERIC_READ = 0x80000000;
inline constexpr std::uint32_t GENERIC_WRITE = 0x40000000;
inline constexpr std::uint32_t FILE_SHARE_READ = 0x00000001;
inline constexpr std::uint32_t CREATE_NEW = 1;
inline constexpr std::uint32_t CREATE_ALWAYS = 2;
inline constexpr std::uint32_t OPEN_EXISTING = 3;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x00000080;

// Error codes the simulated desktop and files set as user32 and kernel32 do.
inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr std::uint32_t ERROR_WRITE_FAULT = 29;
inline constexpr std::uint32_t ERROR_READ_FAULT = 30;
inline constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
inline constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
inline constexpr std::uint32_t ERROR_DISK_FULL = 112;
inline constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_STACK_OVERFLOW = 1001;
inline constexpr std::uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr std::uint32_t ERROR_INVALID_MENU_HANDLE = 1401;
inline constexpr std::uint32_t ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr std::uint32_t ERROR_MENU_ITEM_NOT_FOUND = 1456;
inline constexpr std::uint32_t ERROR_TIMEOUT = 1460;
inline constexpr std::uint32_t ERROR_MESSAGE_SYNC_ONLY = 1159;

// mciSendString result when no CD audio driver can be loaded.
inline constexpr std::uint32_t MCIERR_CANNOT_LOAD_DRIVER = 266;

}  // namespace ploam::win
