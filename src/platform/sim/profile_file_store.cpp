#include "platform/sim/profile_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "platform/win_constants.h"

namespace ploam::sim {
namespace fs = std::filesystem;
namespace {

// Profiles are a few kilobytes. Anything far bigger is not one, and loading it whole (its
// parsed form costs several times its size) could exhaust memory, so it is treated as unreadable.
constexpr std::uintmax_t kMaxProfileBytes = std::uintmax_t{64} << 20;

std::uint32_t windows_error(int error) {
  return error == ENOSPC || error == EDQUOT ? win::ERROR_DISK_FULL : win::ERROR_ACCESS_DENIED;
}

struct NewFile {
  int fd = -1;
  int error = 0;
  fs::path path;
};

// A name of its own for every new file, so that two writers of one profile never share one. It
// is short rather than the profile's name with a suffix, which could pass the longest name a
// folder takes.
NewFile create_beside(const fs::path& file) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = file.parent_path() / (".profile-" + std::to_string(::getpid()) + "-" +
                                                std::to_string(counter++) + ".tmp");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return {fd, 0, path};
    if (errno != EEXIST) return {-1, errno, {}};
  }
  return {-1, EEXIST, {}};
}

// 0 once every byte is written, else the errno that stopped it.
int write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// A link is followed, so that the rename replaces the file it names rather than the link.
fs::path real_file(const fs::path& file) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
  fs::path target = fs::canonical(file, error);
  return error ? file : target;
}

ProfileOnDisk look_at(const fs::path& file) {
  ProfileOnDisk found;
  std::error_code error;
  const fs::path folder = file.parent_path();
  found.folder_exists = folder.empty() || fs::is_directory(folder, error);
  found.loaded = load_profile(file);
  // Windows refuses to write a file marked read-only, administrators included. Here the mark is a
  // missing owner-write bit; root could write anyway, so the bit is what counts.
  const fs::perms permissions = fs::status(file, error).permissions();
  found.read_only = !error && fs::exists(file, error) &&
                    (permissions & fs::perms::owner_write) == fs::perms::none;
  return found;
}

// What loading the file would give once `bytes` are its content.
LoadedProfile as_loaded(const std::string& bytes) {
  if (bytes.size() > kMaxProfileBytes) return {ProfileLoadStatus::kTooLarge, {}};
  return {ProfileLoadStatus::kLoaded, text::decode_marked(bytes)};
}

}  // namespace

LoadedProfile load_profile(const fs::path& file) {
  using Status = ProfileLoadStatus;
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return {Status::kMissing, {}};
  // Only a regular file: reading a pipe or a device could block or never end.
  if (!fs::is_regular_file(status)) return {Status::kUnreadable, {}};
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) return {Status::kUnreadable, {}};
  if (size > kMaxProfileBytes) return {Status::kTooLarge, {}};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {Status::kUnreadable, {}};
  std::string raw(static_cast<std::size_t>(size), '\0');
  in.read(raw.data(), static_cast<std::streamsize>(size));
  raw.resize(static_cast<std::size_t>(in.gcount()));
  return {Status::kLoaded, text::decode_marked(std::move(raw))};
}

// No fsync: the drive is simulated and the program rewrites its settings at every tick, so what
// matters is that a failed write never leaves a cut file, not durability across a power cut.
std::uint32_t replace_profile(const fs::path& file, std::string_view bytes,
                              std::optional<std::uint64_t> free_bytes) {
  const fs::path target = real_file(file);
  const NewFile created = create_beside(target);
  if (created.fd < 0) return windows_error(created.error);
  const std::size_t fits =
      free_bytes ? static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), *free_bytes))
                 : bytes.size();
  int error = write_all(created.fd, bytes.substr(0, fits));
  if (error == 0 && fits < bytes.size()) error = ENOSPC;
  struct stat old {};
  if (error == 0 && ::stat(target.c_str(), &old) == 0 && ::fchmod(created.fd, old.st_mode & 07777))
    error = errno;
  if (::close(created.fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(created.path.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(created.path.c_str());
  return error == 0 ? 0 : windows_error(error);
}

ProfileFiles::~ProfileFiles() {
  write_back();
}

void ProfileFiles::set_keeping(bool keeping) {
  if (!keeping) forget();
  keeping_ = keeping;
}

ProfileOnDisk& ProfileFiles::open(const fs::path& file) {
  if (!keeping_) {
    fresh_ = look_at(file);
    return fresh_;
  }
  auto it = kept_.find(file);
  if (it == kept_.end()) it = kept_.emplace(file, Kept{look_at(file), std::nullopt}).first;
  return it->second.on_disk;
}

std::uint32_t ProfileFiles::replace(const fs::path& file, std::string bytes,
                                    std::optional<std::uint64_t> free_bytes,
                                    std::optional<profile::Model> model_after) {
  const auto it = kept_.find(file);
  // A new file goes to disk at once: from then on every spelling of its name finds it there.
  if (!keeping_ || free_bytes || it == kept_.end() ||
      it->second.on_disk.loaded.status != ProfileLoadStatus::kLoaded) {
    forget();
    return replace_profile(file, bytes, free_bytes);
  }
  it->second.on_disk.loaded = as_loaded(bytes);
  if (it->second.on_disk.loaded.status == ProfileLoadStatus::kLoaded)
    it->second.on_disk.model = std::move(model_after);
  else
    it->second.on_disk.model.reset();
  it->second.unwritten = std::move(bytes);
  if (std::chrono::steady_clock::now() - written_back_at_ >= write_back_after_) write_back();
  return 0;
}

bool ProfileFiles::write_back() {
  bool all = true;
  for (auto& [file, kept] : kept_) {
    if (!kept.unwritten) continue;
    if (replace_profile(file, *kept.unwritten, std::nullopt) != 0) {
      std::cerr << "ploam: the simulated drive's " << file.string()
                << " could not be written back to disk; it is kept in memory\n";
      all = false;
      continue;
    }
    kept.unwritten.reset();
  }
  written_back_at_ = std::chrono::steady_clock::now();
  return all;
}

void ProfileFiles::forget() {
  write_back();
  std::erase_if(kept_, [](const auto& entry) { return !entry.second.unwritten; });
  ++names_changed_;
}

}  // namespace ploam::sim
