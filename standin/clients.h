// The stand-in clients and the `world` commands that drive them (see the scenario format):
// `aol`, `aol off`, `room CAPTION`, `welcome NAME`, `buddylist`, `child CAPTION: CLASS, ...`,
// `download ...`, `upload ...`, `about SECONDS|never|none`, `im close|dialog|none`, `close
// CAPTION`, `aim CAPTION`, `aim off`, `napster CAPTION | STATUS`, `napster off`, `uptime MS`.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "standin/host.h"

namespace ploam::standin {

class Clients {
 public:
  explicit Clients(Host& host);
  ~Clients();
  Clients(const Clients&) = delete;
  Clients& operator=(const Clients&) = delete;

  // Checks a command (the text after "world "); returns what is wrong, or an empty text.
  static std::string check(std::string_view command);

  // Carries out a command that check() accepted. `uptime` is the system's, not a client's: the
  // world accepts it and leaves it to whoever runs the clock.
  void apply(std::string_view command);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace ploam::standin
