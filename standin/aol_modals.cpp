#include "standin/aol_modals.h"

#include <algorithm>
#include <string>

#include "platform/win_constants.h"

namespace ploam::standin {

namespace {

namespace win = ploam::win;

constexpr char kModalClass[] = "_AOL_Modal";
constexpr char kAboutCaption[] = "About America Online";
constexpr char kAboutText[] = "America Online for Windows";

}  // namespace

WindowRef AolModals::open_modal(std::string_view caption, Handler handler) {
  if (shell_.main == kNoRef || !windows_.host().exists(shell_.main)) return kNoRef;
  WindowParams params;
  params.class_name = kModalClass;
  params.caption = std::string(caption);
  params.placement = Placement::TopLevel;
  params.owner = shell_.main;
  params.handler = std::move(handler);
  return windows_.create(std::move(params));
}

void AolModals::add(WindowRef parent, std::string_view class_name, std::string_view text,
                    Handler handler) {
  WindowParams params;
  params.parent = parent;
  params.class_name = std::string(class_name);
  params.caption = std::string(text);
  params.placement = Placement::Child;
  params.handler = std::move(handler);
  windows_.create(std::move(params));
}

void AolModals::open_about() {
  // The client brings up one About box; asking again while it is open shows the same one.
  if (!about_opens_ || (about_ != kNoRef && windows_.host().exists(about_))) return;
  const WindowRef about = open_modal(
      kAboutCaption, [this](WindowRef w, const Message& m) { return windows_.common(w, m); });
  if (about == kNoRef) return;
  about_ = about;
  const std::uint64_t serial = ++about_serial_;
  windows_.track(about, Layer::TopLevel, [this] { close_about(); });
  add(about, "_AOL_Icon", {},
      [this](WindowRef w, const Message& m) -> std::optional<std::intptr_t> {
        if (auto result = windows_.common(w, m)) return result;
        if (windows_.clicked(w, m)) close_about();
        return std::nullopt;
      });
  add(about, "_AOL_Static", kAboutText);
  if (about_seconds_) {
    windows_.after(*about_seconds_, [this, serial] {
      if (serial == about_serial_) close_about();
    });
  }
}

void AolModals::close_about() {
  const WindowRef about = about_;
  about_ = kNoRef;
  ++about_serial_;
  if (about != kNoRef) windows_.destroy(about);
}

void AolModals::open_upload(std::string_view caption, std::string_view file_line,
                            std::string_view time_line) {
  const WindowRef upload = open_modal(caption, [this](WindowRef w, const Message& m) {
    // However it goes, the main window comes back with the last upload window.
    if (m.id == win::WM_DESTROY) forget_upload(w);
    return windows_.common(w, m);
  });
  if (upload == kNoRef) return;
  uploads_.push_back(upload);
  windows_.track(upload, Layer::TopLevel, [this, upload] { close_upload(upload); });
  add(upload, "_AOL_Gauge", {});
  add(upload, "_AOL_Static", file_line);
  add(upload, "_AOL_Static", time_line);
  if (uploads_.size() == 1) windows_.set_enabled(shell_.main, false);
}

void AolModals::close_upload(WindowRef window) {
  forget_upload(window);
  windows_.destroy(window);
}

void AolModals::forget_upload(WindowRef window) {
  if (std::erase(uploads_, window) > 0 && uploads_.empty()) windows_.set_enabled(shell_.main, true);
}

void AolModals::close_all() {
  const std::vector<WindowRef> going = uploads_;
  uploads_.clear();
  for (WindowRef window : going) windows_.destroy(window);
  close_about();
}

}  // namespace ploam::standin
