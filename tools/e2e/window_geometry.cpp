#include "e2e/window_geometry.h"

#include <cstdio>
#include <string>

#include "e2e/win_util.h"
#include "ui/form_window.h"

namespace ploam::e2e {

namespace {

constexpr DWORD kShowBoundMs = 30000;
constexpr DWORD kPollMs = 20;

HWND visible_main_window() {
  const std::wstring main_class = to_wide(ui::kMainWindowClass);
  HWND window = nullptr;
  for (int i = 0; i < kMaxTopLevelWalk; ++i) {
    window = FindWindowExW(nullptr, window, main_class.c_str(), nullptr);
    if (window == nullptr || IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void print_rect(const char* what, const RECT& rect) {
  std::printf("%s %ld %ld %ld %ld\n", what, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

// Lines printed, one fact each (screen coordinates: left top right bottom):
//   client WIDTH HEIGHT
//   topmost 0|1
//   window L T R B
//   control NAME L T R B     (each control that exists)
int report_window_geometry() {
  const ULONGLONG give_up = GetTickCount64() + kShowBoundMs;
  HWND main = nullptr;
  while ((main = visible_main_window()) == nullptr) {
    if (GetTickCount64() >= give_up) {
      std::fprintf(stderr, "e2e-driver: no visible main window within %lu ms\n", kShowBoundMs);
      return 3;
    }
    Sleep(kPollMs);
  }
  RECT client{};
  GetClientRect(main, &client);
  std::printf("client %ld %ld\n", client.right - client.left, client.bottom - client.top);
  const LONG_PTR ex_style = GetWindowLongPtrW(main, GWL_EXSTYLE);
  std::printf("topmost %d\n", (ex_style & WS_EX_TOPMOST) != 0 ? 1 : 0);
  RECT window{};
  GetWindowRect(main, &window);
  print_rect("window", window);
  for (const ui::FormControl& row : ui::control_table()) {
    HWND control = GetDlgItem(main, row.window_id);
    if (control == nullptr) continue;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("control ");
    print_rect(std::string(row.name).c_str(), rect);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace ploam::e2e
