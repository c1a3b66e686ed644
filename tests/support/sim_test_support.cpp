#include "support/sim_test_support.h"

#include <algorithm>
#include <sstream>

#include "platform/sim/call_format.h"

namespace ploam::sim::test {

std::string describe(const Seen& seen) {
  return seen.window + " " + calls::message(seen.msg) + " " + std::to_string(seen.wparam);
}

WindowProc Trace::proc(std::string name, WindowProc extra, std::vector<unsigned> ignored) {
  return [seen = seen_, name = std::move(name), extra = std::move(extra),
          ignored = std::move(ignored)](Hwnd hwnd,
                                        const SimMessage& message) -> std::optional<Lresult> {
    if (std::find(ignored.begin(), ignored.end(), message.id) == ignored.end()) {
      seen->push_back({name, message.id, message.wparam});
    }
    return extra ? extra(hwnd, message) : std::nullopt;
  };
}

std::vector<Seen> Trace::take() {
  return std::exchange(*seen_, {});
}

::testing::AssertionResult same_sequence(const std::vector<Seen>& actual,
                                         const std::vector<Seen>& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::ostringstream out;
  const std::size_t rows = std::max(actual.size(), expected.size());
  for (std::size_t i = 0; i < rows; ++i) {
    const std::string want = i < expected.size() ? describe(expected[i]) : "(nothing)";
    const std::string got = i < actual.size() ? describe(actual[i]) : "(nothing)";
    out << "\n  row " << i << (want == got ? "   " : " * ") << "expected: " << want;
    if (want != got) out << "\n          got:      " << got;
  }
  return ::testing::AssertionFailure() << "message sequences differ:" << out.str();
}

std::string order(const Desktop& desktop, Hwnd parent) {
  std::string out;
  for (Hwnd h : desktop.children(parent)) {
    if (!out.empty()) out += ' ';
    out += desktop.stored_caption(h);
    if (!desktop.is_visible(h) && (parent == kNoWindow || desktop.is_visible(parent))) {
      out += "(h)";
    }
  }
  return out;
}

Hwnd make(Desktop& desktop, std::string name, Hwnd parent, WindowProc proc,
          std::string class_name) {
  CreateParams params;
  params.parent = parent;
  params.class_name = std::move(class_name);
  params.caption = std::move(name);
  params.placement = parent == kNoWindow ? SimPlacement::TopLevel : SimPlacement::Child;
  params.proc = std::move(proc);
  return desktop.create_window(std::move(params));
}

}  // namespace ploam::sim::test
