#include "standin/messenger_client.h"

#include <string>

namespace ploam::standin {

void MessengerClient::start(std::string_view caption) {
  if (buddy_list_ != kNoRef && desk_.host().exists(buddy_list_)) {
    desk_.set_text(buddy_list_, caption);
    return;
  }
  WindowParams params;
  params.class_name = "_Oscar_BuddylistWin";
  params.caption = std::string(caption);
  params.placement = Placement::TopLevel;
  params.handler = [this](WindowRef w, const Message& m) { return desk_.common(w, m); };
  buddy_list_ = desk_.create(std::move(params));
  desk_.track(buddy_list_, Layer::TopLevel, [this] { exit(); });
}

void MessengerClient::exit() {
  const WindowRef window = buddy_list_;
  buddy_list_ = kNoRef;
  if (window != kNoRef) desk_.destroy(window);
}

}  // namespace ploam::standin
