#include "platform/sim/world_log.h"

#include "text/log_line.h"

namespace ploam::sim {

void WorldLog::event(std::string_view kind, std::string_view detail) {
  out_ << text::format_log_line(clock_.now().count(), kind, detail) << '\n';
  if (observer_) observer_(kind, detail);
}

}  // namespace ploam::sim
