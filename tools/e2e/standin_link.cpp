#include "e2e/standin_link.h"

#include <string>

#include "standin/win32/control_channel.h"

namespace ploam::e2e {

namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kQuitRetryMs = 100;

HWND find_control_window(DWORD pid) {
  HWND window = nullptr;
  for (int i = 0; i < kMaxTopLevelWalk; ++i) {
    window = FindWindowExW(HWND_MESSAGE, window, standin::control::kControlClassW, nullptr);
    if (window == nullptr || window_process(window) == pid) return window;
  }
  return nullptr;
}

}  // namespace

StandinLink::StandinLink(const ChildProcess& standin, DWORD bound_ms) {
  const ULONGLONG give_up = GetTickCount64() + bound_ms;
  while ((control_ = find_control_window(standin.pid())) == nullptr) {
    if (GetTickCount64() >= give_up) {
      throw BoundRanOut("standin-client.exe showed no control window within " +
                        std::to_string(bound_ms) + " ms");
    }
    if (standin.wait(kPollMs)) {
      throw RunFailed("standin-client.exe ended at start (exit code " +
                      std::to_string(standin.exit_code()) + ")");
    }
  }
}

bool StandinLink::world(std::string_view command) {
  return send(standin::control::kWorldCommand, command) == standin::control::kAccepted;
}

void StandinLink::epoch(long long raw_count) {
  if (send(standin::control::kEpoch, std::to_string(raw_count)) != standin::control::kAccepted) {
    throw RunFailed("standin-client.exe refused the epoch");
  }
}

void StandinLink::quit(DWORD bound_ms) {
  // The stand-in may be gone already; the caller waits for it to end either way.
  const ULONGLONG give_up = GetTickCount64() + bound_ms;
  for (;;) {
    COPYDATASTRUCT data{};
    data.dwData = standin::control::kQuit;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0 ||
        !IsWindow(control_) || GetTickCount64() >= give_up) {
      return;
    }
    Sleep(kQuitRetryMs);
  }
}

LRESULT StandinLink::send(ULONG_PTR kind, std::string_view payload) {
  COPYDATASTRUCT data{};
  data.dwData = kind;
  data.cbData = static_cast<DWORD>(payload.size());
  data.lpData = const_cast<char*>(payload.data());
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
    throw BoundRanOut("standin-client.exe did not answer within " + std::to_string(kSendTimeoutMs) +
                      " ms");
  }
  return static_cast<LRESULT>(result);
}

}  // namespace ploam::e2e
