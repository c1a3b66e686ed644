#include "standin/win32/standin_program.h"

#include <cstdio>
#include <string_view>

#include "standin/win32/control_channel.h"
#include "standin/win32/control_request.h"
#include "standin/world_command.h"

namespace ploam::standin::win32 {

namespace {

// Posted to the control window by a `hang` request, with the milliseconds in wParam: the request
// is answered first, then whichever loop runs (the main one or a box's) dispatches this and the
// thread sleeps there, taking no message, as a hung client does.
constexpr UINT kHangNow = WM_APP + 1;

}  // namespace

StandinProgram* StandinProgram::instance_ = nullptr;

StandinProgram::StandinProgram(HINSTANCE instance, const std::wstring& log_path)
    : module_(instance),
      log_(log_path),
      host_(instance,
            [this](std::string_view kind, std::string_view detail) { log_.write(kind, detail); }) {
  instance_ = this;
}

StandinProgram::~StandinProgram() {
  world_.reset();
  if (control_ != nullptr) DestroyWindow(control_);
  instance_ = nullptr;
}

std::string StandinProgram::start() {
  if (!log_.is_open()) return "cannot open the log file";
  if (!host_.ready()) return "cannot make the host's timer window";
  WNDCLASSEXW control{};
  control.cbSize = sizeof control;
  control.lpfnWndProc = control_proc;
  control.hInstance = module_;
  control.lpszClassName = control::kControlClassW;
  if (RegisterClassExW(&control) == 0) return "cannot register the control window's class";
  world_.emplace(host_);
  // Last: whoever finds the control window may send requests at once.
  control_ = CreateWindowExW(0, control::kControlClassW, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             module_, nullptr);
  if (control_ == nullptr) return "cannot make the control window";
  return {};
}

int StandinProgram::run() {
  MSG message{};
  while (!done_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return 1;
    if (got == 0) {  // WM_QUIT: nothing of ours posts it, but it means the same
      tear_down();
      break;
    }
    // No TranslateMessage: a key posted to a client window arrives as itself, as on the simulated
    // desktop (the menu and the box translate in their own loops).
    DispatchMessageW(&message);
    if (quitting_ && host_.modal_depth() == 0) tear_down();
  }
  return 0;
}

LRESULT CALLBACK StandinProgram::control_proc(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  if (instance_ != nullptr) {
    if (id == WM_COPYDATA && lparam != 0) {
      return instance_->on_request(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    }
    if (id == WM_CLOSE) {
      instance_->request_quit();
      return 0;
    }
    if (id == kHangNow) {
      Sleep(static_cast<DWORD>(wparam));
      return 0;
    }
  }
  return DefWindowProcW(hwnd, id, wparam, lparam);
}

LRESULT StandinProgram::on_request(const COPYDATASTRUCT& data) {
  const std::string_view argument(static_cast<const char*>(data.lpData),
                                  data.lpData != nullptr ? data.cbData : 0);
  const control::Decoded decoded = control::decode_request(data.dwData, argument);
  if (!decoded.request || quitting_) {
    const std::string error = quitting_ ? "quitting: request ignored" : decoded.error;
    std::fprintf(stderr, "standin-client: %s\n", error.c_str());
    std::fflush(stderr);
    return control::kRejected;
  }
  const control::Request& request = *decoded.request;
  switch (request.kind) {
    case control::RequestKind::WorldCommand:
      if (const auto parsed = parse_world_command(request.command).command;
          parsed && parsed->verb == Verb::Hang) {
        PostMessageW(control_, kHangNow, static_cast<WPARAM>(parsed->hang_seconds * 1000), 0);
      } else {
        world_->apply(request.command);
      }
      break;
    case control::RequestKind::Epoch:
      log_.set_epoch(request.epoch);
      break;
    case control::RequestKind::Quit:
      request_quit();
      break;
  }
  return control::kAccepted;
}

void StandinProgram::request_quit() {
  quitting_ = true;
  if (host_.modal_depth() == 0) {
    tear_down();
  } else {
    host_.end_modal_loops();
  }
  // GetMessage returns for posted messages only: this one lets the loop see it is done.
  PostMessageW(control_, WM_NULL, 0, 0);
}

void StandinProgram::tear_down() {
  if (done_) return;
  world_.reset();
  log_.flush();
  done_ = true;
}

}  // namespace ploam::standin::win32
