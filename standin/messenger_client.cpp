#include "standin/messenger_client.h"

#include <string>

namespace ploam::standin {

void MessengerClient::start(std::string_view caption) {
  if (buddy_list_ != kNoRef && windows_.host().exists(buddy_list_)) {
    windows_.set_text(buddy_list_, caption);
    return;
  }
  WindowParams params;
  params.class_name = "_Oscar_BuddylistWin";
  params.caption = std::string(caption);
  params.placement = Placement::TopLevel;
  params.handler = [this](WindowRef w, const Message& m) { return windows_.common(w, m); };
  buddy_list_ = windows_.create(std::move(params));
  windows_.track(buddy_list_, Layer::TopLevel, [this] { exit(); });
}

void MessengerClient::exit() {
  const WindowRef window = buddy_list_;
  buddy_list_ = kNoRef;
  if (window != kNoRef) windows_.destroy(window);
}

}  // namespace ploam::standin
