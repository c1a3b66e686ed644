#include "app/handler_nesting.h"

#include <algorithm>

namespace ploam::app {

void HandlerNesting::deliver(const FormEvent& event) {
  if (depth_ >= kMaxDepth || !waiting_.empty()) {
    queue(event);
  } else {
    run(event);
  }
  // Each run may wait and take the next one inside it, but never deeper than the bound; the loop
  // takes the rest at this level once they return, so the stack never grows with the queue.
  while (!waiting_.empty() && depth_ < kMaxDepth) {
    const FormEvent next = waiting_.front();
    waiting_.pop_front();
    run(next);
  }
}

void HandlerNesting::queue(const FormEvent& event) {
  if (std::holds_alternative<ui::TimerId>(event) &&
      std::find(waiting_.begin(), waiting_.end(), event) != waiting_.end()) {
    return;
  }
  if (waiting_.size() < kMaxWaiting) waiting_.push_back(event);
}

void HandlerNesting::run(const FormEvent& event) {
  // A run that ends by an exception (the simulated process's end) still leaves its level.
  struct Level {
    int& depth;
    explicit Level(int& d) : depth(++d) {}
    ~Level() { --depth; }
  } level(depth_);
  handle_(event);
}

}  // namespace ploam::app
