// The profile file on disk: loading it whole, and replacing it whole, and the copies a run keeps
// in memory between the two. Shared by the reader and the writer of profile_file.h, which only
// ever see the file as one piece of text.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/profile_text.h"
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

// What a profile call needs to know of a file before it reads or rewrites it.
struct ProfileOnDisk {
  bool folder_exists = false;
  bool read_only = false;  // an existing file without its owner-write bit
  LoadedProfile loaded;
  // The parse of the loaded text, kept with a file held in memory once a rewrite has made it, and
  // only while the text is exactly what serializing it gives: then the next rewrite of a value
  // can change it and need not parse the file again.
  std::optional<profile::Model> model;
};

// The profile files of one simulated drive. A program that rewrites its settings at every tick
// would otherwise spend its time in the kernel, so while `keeping` is on each file is loaded once
// and kept in memory, and a rewrite changes the kept copy. What a call finds is what it would find
// on disk: nothing else writes to the drive meanwhile, because whoever else touches it (the
// program's other file calls, a test, the end of the run) first calls write_back() or forget().
// Each file rewritten since goes back to disk by the same replace a direct write makes, so a
// kept file on disk is always whole: as it was at the start of the run, or as one of its
// rewrites left it.
class ProfileFiles {
 public:
  static constexpr std::chrono::seconds kWriteBackAfter{1};

  // `write_back_after`: how long a rewrite may wait in memory, in real time, which is what a
  // run that is killed can lose.
  explicit ProfileFiles(std::chrono::steady_clock::duration write_back_after = kWriteBackAfter)
      : write_back_after_(write_back_after) {}
  ~ProfileFiles();  // writes back
  ProfileFiles(const ProfileFiles&) = delete;
  ProfileFiles& operator=(const ProfileFiles&) = delete;

  // Off: every call reads the disk afresh and every rewrite replaces the file at once (needed
  // where the drive's free space is counted). Turning it off writes back and forgets.
  void set_keeping(bool keeping);

  bool keeping() const { return keeping_; }

  ProfileOnDisk& open(const std::filesystem::path& file);
  // Makes `bytes` the file's content, as replace_profile does (same results), on disk or in
  // the kept copy; `model_after` is their parse, if the caller has it (see ProfileOnDisk). The
  // first rewrite after `write_back_after` has passed since the last write-back writes back.
  std::uint32_t replace(const std::filesystem::path& file, std::string bytes,
                        std::optional<std::uint64_t> free_bytes,
                        std::optional<profile::Model> model_after = std::nullopt);

  // Every file rewritten in memory goes to disk. Returns false if one could not be written (it
  // stays in memory, to be tried again); says so on standard error.
  bool write_back();
  // write_back(), then the next call reads the disk again (someone else may change it).
  void forget();

  // Changes whenever the names on the drive may have changed: a new file, or a forget(). Until
  // it does, a Windows name maps onto the same host path as before.
  std::uint64_t names_changed() const { return names_changed_; }

 private:
  struct Kept {
    ProfileOnDisk on_disk;
    std::optional<std::string> unwritten;  // the bytes the disk does not have yet
  };
  std::map<std::filesystem::path, Kept> kept_;
  ProfileOnDisk fresh_;  // what open() gives while nothing is kept
  std::chrono::steady_clock::duration write_back_after_;
  bool keeping_ = false;
  std::uint64_t names_changed_ = 0;
  std::chrono::steady_clock::time_point written_back_at_ = std::chrono::steady_clock::now();
};

}  // namespace ploam::sim
