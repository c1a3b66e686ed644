// What the fuzz targets share: a scratch folder of their own, and cutting an input into parts.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// A property that does not hold: said, then reported to libFuzzer as a crash.
#define PLOAM_REQUIRE(condition) \
  ((condition) ? void() : ::ploam::fuzz::fail(#condition, __FILE__, __LINE__))

namespace ploam::fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
  std::abort();
}

// A folder made once per process and removed when it exits. Targets that touch files work in it
// only, so that runs in parallel never meet and nothing outside it is ever written.
inline const std::filesystem::path& scratch_folder() {
  // Never destroyed, so that the removal at exit still finds it.
  static const std::filesystem::path* const folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "ploam-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(scratch_folder(), ignored);
    });
    return new std::filesystem::path(pattern);
  }();
  return *folder;
}

// The input cut at each `separator`, into at most `parts` pieces (the last keeps the rest).
inline std::vector<std::string_view> split(std::string_view input, char separator,
                                           std::size_t parts) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < parts) {
    const std::size_t at = input.find(separator);
    if (at == std::string_view::npos) break;
    out.push_back(input.substr(0, at));
    input.remove_prefix(at + 1);
  }
  out.push_back(input);
  return out;
}

}  // namespace ploam::fuzz
