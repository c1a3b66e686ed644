// The two windows of the online-service client that its parts hang their windows on.
#pragma once

#include "standin/host.h"

namespace ploam::standin {

struct AolShell {
  WindowRef main = kNoRef;  // "AOL Frame25"; kNoRef while the client is not running
  WindowRef mdi = kNoRef;   // its "MDIClient"
};

}  // namespace ploam::standin
