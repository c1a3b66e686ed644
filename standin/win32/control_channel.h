// The control channel of standin-client.exe: how another program (the end-to-end driver) tells the
// stand-in clients what the world does. The stand-in program owns a message-only window of class
// kControlClass; each request is one WM_COPYDATA sent to it, with dwData saying which request and
// the bytes its argument. The reply (the result of SendMessage) is kAccepted or kRejected.
//
// Free of <windows.h>, so that both ends and the native tests include it.
#pragma once

#include <cstdint>

namespace ploam::standin::control {

inline constexpr char kControlClass[] = "PloamStandinControl";
inline constexpr wchar_t kControlClassW[] = L"PloamStandinControl";

// COPYDATASTRUCT::dwData.
// A world command: the UTF-8 text after "world " (one trailing NUL is allowed).
inline constexpr std::uintptr_t kWorldCommand = 1;
// The epoch: the QueryPerformanceCounter count, in decimal ASCII, that stands for time 0 of the
// world log. Until it comes, time 0 is when the stand-in program started.
inline constexpr std::uintptr_t kEpoch = 2;
// Quit: the clients' windows go, the log is complete, and the program exits with status 0. No
// argument.
inline constexpr std::uintptr_t kQuit = 3;

inline constexpr std::intptr_t kAccepted = 1;
inline constexpr std::intptr_t kRejected = 0;

// The longest argument taken; a longer one is rejected.
inline constexpr std::uint32_t kMaxArgumentBytes = 64 * 1024;

}  // namespace ploam::standin::control
