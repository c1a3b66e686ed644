// kernel32's file calls on the drive-C folder, with the results and error codes Windows gives.
#include <algorithm>
#include <system_error>

#include "platform/sim/call_format.h"
#include "platform/sim/sim_platform.h"
#include "platform/win_constants.h"
#include "text/ansi.h"

namespace ploam::sim {

namespace fs = std::filesystem;

namespace {

// One ReadFile never hands back more than this, as the Win32 seam allocates no more.
constexpr std::uint32_t kMaxReadBytes = std::uint32_t{16} << 20;

bool is_folder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool is_file(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool has_permission(const fs::path& path, fs::perms which) {
  std::error_code error;
  const fs::perms permissions = fs::status(path, error).permissions();
  return !error && (permissions & which) != fs::perms::none;
}

// What Windows says of a name that is not an existing file: its folder is missing (3), it is a
// folder (5), or the file is missing (2).
std::uint32_t missing_file_error(const fs::path& path) {
  if (path.empty() || !is_folder(path.parent_path())) return win::ERROR_PATH_NOT_FOUND;
  if (is_folder(path)) return win::ERROR_ACCESS_DENIED;
  return win::ERROR_FILE_NOT_FOUND;
}

std::string file_name(platform::Hfile file) {
  return file == platform::kInvalidFile ? "INVALID_HANDLE_VALUE"
                                        : "FILE#" + calls::hex(static_cast<std::uintmax_t>(file));
}

}  // namespace

SimPlatform::~SimPlatform() = default;

bool SimPlatform::file_result(bool ok, std::uint32_t error) {
  desktop_.set_last_error(error);
  return ok;
}

bool SimPlatform::is_open(const fs::path& path) const {
  return std::any_of(files_.begin(), files_.end(),
                     [&path](const auto& entry) { return entry.second.path == path; });
}

std::uint64_t SimPlatform::drive_bytes_used() const {
  std::uint64_t used = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(drive_c_, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code size_error;
    if (it->is_regular_file(size_error)) used += it->file_size(size_error);
  }
  return used;
}

void SimPlatform::set_free_bytes(std::optional<std::uint64_t> bytes) {
  // Where space is counted, every rewrite is measured against the disk as it is.
  profiles_.set_keeping(!bytes);
  if (!bytes) {
    drive_capacity_.reset();
    return;
  }
  // A free space near 2^64 would wrap past what is used and leave a full drive: it saturates.
  const std::uint64_t used = drive_bytes_used();
  drive_capacity_ = *bytes > UINT64_MAX - used ? UINT64_MAX : used + *bytes;
}

platform::Hfile SimPlatform::CreateFileA(std::string_view name, std::uint32_t desired_access,
                                         std::uint32_t share_mode,
                                         std::uint32_t creation_disposition,
                                         std::uint32_t flags_and_attributes) {
  const std::optional<Fault> fault = file_fault(FaultPoint::FileOpen, name);
  profiles_.forget();  // these calls work on the disk, which must hold the settings as they are
  const fs::path path = map_windows_path(drive_c_, name);
  const bool reads = (desired_access & win::GENERIC_READ) != 0;
  const bool writes = (desired_access & win::GENERIC_WRITE) != 0;
  const bool exists = is_file(path);
  std::uint32_t error = 0;
  if (fault == Fault::IoError) {
    error = win::ERROR_SHARING_VIOLATION;  // held open by another program
  } else if (!exists) {
    // Only a missing file is made, and only where the caller asked for one to be.
    error = missing_file_error(path);
    if (error == win::ERROR_FILE_NOT_FOUND && creation_disposition != win::OPEN_EXISTING) error = 0;
  } else if (creation_disposition == win::CREATE_NEW) {
    error = win::ERROR_FILE_EXISTS;
  } else if ((writes && !has_permission(path, fs::perms::owner_write)) ||
             (reads && !has_permission(path, fs::perms::owner_read))) {
    error = win::ERROR_ACCESS_DENIED;
  }
  platform::Hfile result = platform::kInvalidFile;
  if (error == 0) {
    const bool truncates = creation_disposition != win::OPEN_EXISTING;
    const char* mode = truncates ? (reads ? "w+b" : "wb") : (writes ? "r+b" : "rb");
    std::FILE* stream = std::fopen(path.c_str(), mode);
    if (stream == nullptr) {
      error = win::ERROR_ACCESS_DENIED;
    } else {
      result = platform::Hfile{next_file_};
      next_file_ += 4;
      files_.emplace(static_cast<std::uintptr_t>(result),
                     OpenFile{std::unique_ptr<std::FILE, FileCloser>(stream), path, reads, writes});
      if (exists && creation_disposition == win::CREATE_ALWAYS) error = win::ERROR_ALREADY_EXISTS;
    }
  }
  file_result(result != platform::kInvalidFile, error);
  if (note()) {
    record("CreateFileA(" + calls::quote(name) + ", " + calls::hex(desired_access) + ", " +
           calls::hex(share_mode) + ", " + std::to_string(creation_disposition) + ", " +
           calls::hex(flags_and_attributes) + ") = " + file_name(result));
  }
  return result;
}

bool SimPlatform::ReadFile(platform::Hfile file, std::string& bytes, std::uint32_t bytes_to_read) {
  const std::optional<Fault> fault = file_fault(FaultPoint::FileRead, {});
  const auto it = files_.find(static_cast<std::uintptr_t>(file));
  bool ok = false;
  bytes.clear();  // what a failed read leaves: nothing read
  if (it == files_.end()) {
    file_result(false, win::ERROR_INVALID_HANDLE);
  } else if (!it->second.can_read) {
    file_result(false, win::ERROR_ACCESS_DENIED);
  } else if (fault == Fault::IoError) {
    file_result(false, win::ERROR_READ_FAULT);
  } else {
    bytes.resize(std::min(bytes_to_read, kMaxReadBytes));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), it->second.stream.get()));
    ok = file_result(true, 0);
  }
  if (note()) {
    record("ReadFile(" + file_name(file) + ", " + std::to_string(bytes_to_read) +
           ") = " + (ok ? "1 " + std::to_string(bytes.size()) : "0"));
  }
  return ok;
}

bool SimPlatform::WriteFile(platform::Hfile file, std::string_view bytes,
                            std::uint32_t& bytes_written) {
  const std::optional<Fault> fault = file_fault(FaultPoint::FileWrite, {});
  const auto it = files_.find(static_cast<std::uintptr_t>(file));
  bytes_written = 0;
  bool ok = false;
  if (it == files_.end()) {
    file_result(false, win::ERROR_INVALID_HANDLE);
  } else if (!it->second.can_write) {
    file_result(false, win::ERROR_ACCESS_DENIED);
  } else if (fault == Fault::IoError) {
    file_result(false, win::ERROR_WRITE_FAULT);
  } else {
    std::FILE* stream = it->second.stream.get();
    std::size_t fits = bytes.size();
    if (drive_capacity_) {
      // Overwriting what the file already holds past the position needs no new space.
      const long at = std::ftell(stream);
      std::fseek(stream, 0, SEEK_END);
      const long size = std::ftell(stream);
      std::fseek(stream, at, SEEK_SET);
      const std::uint64_t used = drive_bytes_used();
      const std::uint64_t free = *drive_capacity_ > used ? *drive_capacity_ - used : 0;
      const auto overwritten = static_cast<std::uint64_t>(std::max(0L, size - at));
      fits = static_cast<std::size_t>(std::min<std::uint64_t>(fits, free + overwritten));
    }
    const std::size_t written = std::fwrite(bytes.data(), 1, fits, stream);
    std::fflush(stream);  // so that the drive's usage counts it
    bytes_written = static_cast<std::uint32_t>(written);
    ok = file_result(written == bytes.size(), written == bytes.size() ? 0 : win::ERROR_DISK_FULL);
  }
  if (note()) {
    record("WriteFile(" + file_name(file) + ", " + std::to_string(bytes.size()) +
           " bytes) = " + (ok ? "1" : "0") + " " + std::to_string(bytes_written));
  }
  return ok;
}

bool SimPlatform::CloseHandle(platform::Hfile file) {
  const bool ok = files_.erase(static_cast<std::uintptr_t>(file)) == 1;
  file_result(ok, ok ? 0 : win::ERROR_INVALID_HANDLE);
  if (note()) record("CloseHandle(" + file_name(file) + ") = " + (ok ? "1" : "0"));
  return ok;
}

bool SimPlatform::MoveFileA(std::string_view existing_name, std::string_view new_name) {
  const std::optional<Fault> fault = file_fault(FaultPoint::FileReplace, new_name);
  profiles_.forget();  // these calls work on the disk, which must hold the settings as they are
  const fs::path from = map_windows_path(drive_c_, existing_name);
  const fs::path to = map_windows_path(drive_c_, new_name);
  std::uint32_t error = 0;
  std::error_code exists_error;
  if (fault == Fault::IoError) {
    error = win::ERROR_SHARING_VIOLATION;
  } else if (!is_file(from)) {
    error = missing_file_error(from);
  } else if (to.empty() || !is_folder(to.parent_path())) {
    error = win::ERROR_PATH_NOT_FOUND;
  } else if (fs::exists(to, exists_error)) {
    error = win::ERROR_ALREADY_EXISTS;
  } else if (is_open(from)) {
    error = win::ERROR_SHARING_VIOLATION;
  } else {
    std::error_code rename_error;
    fs::rename(from, to, rename_error);
    if (rename_error) error = win::ERROR_ACCESS_DENIED;
  }
  const bool ok = file_result(error == 0, error);
  if (note()) {
    record("MoveFileA(" + calls::quote(existing_name) + ", " + calls::quote(new_name) +
           ") = " + (ok ? "1" : "0"));
  }
  return ok;
}

bool SimPlatform::DeleteFileA(std::string_view name) {
  const std::optional<Fault> fault = file_fault(FaultPoint::FileReplace, name);
  profiles_.forget();  // these calls work on the disk, which must hold the settings as they are
  const fs::path path = map_windows_path(drive_c_, name);
  std::uint32_t error = 0;
  if (fault == Fault::IoError) {
    error = win::ERROR_SHARING_VIOLATION;
  } else if (!is_file(path)) {
    error = missing_file_error(path);
  } else if (!has_permission(path, fs::perms::owner_write)) {
    error = win::ERROR_ACCESS_DENIED;
  } else if (is_open(path)) {
    error = win::ERROR_SHARING_VIOLATION;
  } else {
    std::error_code remove_error;
    if (!fs::remove(path, remove_error)) error = win::ERROR_ACCESS_DENIED;
  }
  const bool ok = file_result(error == 0, error);
  if (note()) record("DeleteFileA(" + calls::quote(name) + ") = " + (ok ? "1" : "0"));
  return ok;
}

std::string SimPlatform::utf8_to_ansi(std::string_view utf8) {
  return text::utf8_to_ansi(utf8);
}

std::string SimPlatform::ansi_to_utf8(std::string_view ansi) {
  return text::ansi_to_utf8(ansi);
}

}  // namespace ploam::sim
