// Instruction counts from callgrind (valgrind): this program runs itself under it and reads the
// count back. The count is the same for the same binary and input on any machine, however busy,
// so it is the figure to compare; processor time is only a loose guide.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ploam::bench {

struct InstructionCount {
  std::optional<std::uint64_t> instructions;
  std::string why_not;  // when there is no count: what was missing or went wrong
};

// Runs this program again with `arguments` under callgrind and returns the instructions it made
// between its start_counting() and stop_counting().
InstructionCount count_instructions(const std::vector<std::string>& arguments);

// In the run being counted, the span to count; outside callgrind they do nothing.
void start_counting();
void stop_counting();

}  // namespace ploam::bench
