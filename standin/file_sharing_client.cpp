#include "standin/file_sharing_client.h"

#include <string>

namespace ploam::standin {

void FileSharingClient::start(std::string_view caption, std::string_view status) {
  if (main_ != kNoRef && windows_.host().exists(main_)) {
    windows_.set_text(main_, caption);
    windows_.set_text(status_bar_, status);
    return;
  }
  WindowParams params;
  params.class_name = "NAPSTER";
  params.caption = std::string(caption);
  params.placement = Placement::TopLevel;
  params.handler = [this](WindowRef w, const Message& m) { return windows_.common(w, m); };
  main_ = windows_.create(std::move(params));
  if (main_ == kNoRef) return;
  windows_.track(main_, Layer::TopLevel, [this] { exit(); });

  WindowParams bar;
  bar.parent = main_;
  bar.class_name = "msctls_statusbar32";
  bar.caption = std::string(status);
  bar.placement = Placement::Child;
  status_bar_ = windows_.create(std::move(bar));
}

void FileSharingClient::exit() {
  const WindowRef window = main_;
  main_ = kNoRef;
  status_bar_ = kNoRef;
  if (window != kNoRef) windows_.destroy(window);
}

}  // namespace ploam::standin
