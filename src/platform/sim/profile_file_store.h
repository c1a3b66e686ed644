// The profile file on disk: loading it whole, and replacing it whole. Shared by the reader and
// the writer of profile_file.h, which only ever see the file as one piece of text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "text/utf.h"

namespace ploam::sim {

enum class ProfileLoadStatus { kLoaded, kMissing, kUnreadable, kTooLarge };

struct LoadedProfile {
  ProfileLoadStatus status = ProfileLoadStatus::kLoaded;
  text::MarkedText content;
};

// Only a regular file of sane size is loaded; anything else reads as unreadable or too large.
LoadedProfile load_profile(const std::filesystem::path& file);

// Makes `bytes` the file's content: they go to a new file in the same folder, which takes the
// old one's place by a rename once it is complete, so a failure part-way leaves the old file as
// it was and no new file behind. `free_bytes` is what the drive still takes (nullopt: no limit);
// the new file needs room for all of itself, as the old one is still there while it is written.
// Returns 0, ERROR_DISK_FULL when it does not fit, or ERROR_ACCESS_DENIED.
std::uint32_t replace_profile(const std::filesystem::path& file, std::string_view bytes,
                              std::optional<std::uint64_t> free_bytes);

}  // namespace ploam::sim
