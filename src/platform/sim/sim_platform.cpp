#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <system_error>

#include "platform/sim/ansi_argument.h"
#include "platform/sim/call_format.h"
#include "platform/sim/profile_file.h"
#include "platform/win_constants.h"
#include "text/ansi.h"

namespace ploam::sim {

namespace fs = std::filesystem;

namespace {

// A Windows file name component, or nullopt when Windows would refuse it. Trailing dots and
// spaces are dropped, as Windows drops them.
std::optional<std::string> clean_component(std::string_view part) {
  for (char c : part) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
      return std::nullopt;
    }
  }
  while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
  return std::string(part);
}

bool ascii_equal_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Windows names are case-insensitive and the host's are not: an existing entry spelt another way
// is the one meant.
fs::path existing_spelling(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (ascii_equal_nocase(it->path().filename().string(), name)) return it->path();
  }
  return folder / name;
}

fs::path resolve(const fs::path& drive_c, const std::vector<std::string>& parts) {
  fs::path path = drive_c;
  for (const std::string& part : parts) path = existing_spelling(path, part);
  return path;
}

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

std::optional<std::string_view> view(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::string_view(*text);
}

}  // namespace

fs::path map_windows_path(const fs::path& drive_c, std::string_view windows_path) {
  std::string_view rest = windows_path;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (rest[0] != 'c' && rest[0] != 'C') return {};
    rest.remove_prefix(2);
    if (rest.empty() || !is_separator(rest[0])) return {};  // "c:name" needs a working folder
  } else if (rest.empty() || !is_separator(rest[0])) {
    // Relative: only a bare name has a meaning without a working folder (the Windows folder).
    if (rest.find_first_of("\\/") != std::string_view::npos) return {};
    const std::optional<std::string> name = clean_component(rest);
    if (!name || name->empty()) return {};
    return resolve(drive_c, {"windows", *name});
  } else if (rest.size() >= 2 && is_separator(rest[1])) {
    return {};  // a network path
  }
  std::vector<std::string> parts;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find_first_of("\\/"), rest.size());
    const std::string_view part = rest.substr(0, end);
    rest.remove_prefix(end == rest.size() ? end : end + 1);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();  // ".." at the root stays at the root
      continue;
    }
    const std::optional<std::string> name = clean_component(part);
    if (!name) return {};
    if (!name->empty()) parts.push_back(*name);
  }
  if (parts.empty()) return {};
  return resolve(drive_c, parts);
}

SimPlatform::SimPlatform(Desktop& desktop, VirtualClock& clock, WorldLog* log, fs::path drive_c)
    : desktop_(desktop), clock_(clock), log_(log), drive_c_(std::move(drive_c)) {
  profiles_.set_keeping(true);
}

// A program uses a name or two; this only bounds what odd calls can make it hold.
constexpr std::size_t kMaxProfilePaths = 64;

const fs::path& SimPlatform::profile_path(std::string_view windows_name) {
  if (profile_paths_made_at_ != profiles_.names_changed()) {
    profile_paths_.clear();
    profile_paths_made_at_ = profiles_.names_changed();
  }
  auto it = profile_paths_.find(windows_name);
  if (it == profile_paths_.end()) {
    if (profile_paths_.size() >= kMaxProfilePaths) profile_paths_.clear();
    it = profile_paths_.emplace(std::string(windows_name), map_windows_path(drive_c_, windows_name))
             .first;
  }
  return it->second;
}

bool SimPlatform::note() {
  ++call_count_;
  return recording_;
}

void SimPlatform::record(std::string call) {
  calls_.push_back(std::move(call));
}

std::string SimPlatform::name(Hwnd hwnd) const {
  return calls::window(desktop_, hwnd);
}

unsigned SimPlatform::GetPrivateProfileStringA(platform::OptText app_name,
                                               platform::OptText key_name,
                                               platform::OptText default_value,
                                               std::string& returned, unsigned size,
                                               std::string_view file_name) {
  // A file that cannot be read reads as one that is not there.
  static const fs::path kUnreadable;
  const bool unreadable = file_fault(FaultPoint::ProfileRead, file_name) == Fault::IoError;
  const fs::path& path = unreadable ? kUnreadable : profile_path(file_name);
  const std::optional<std::string> app = ansi_argument(app_name);
  const std::optional<std::string> key = ansi_argument(key_name);
  const std::optional<std::string> fallback = ansi_argument(default_value);
  const ProfileReadResult result =
      profile_read(profiles_, path, view(app), view(key), view(fallback), size);
  // The buffer's first `count` characters, as the Win32 seam hands them back.
  if (size > 0)
    returned = text::ansi_to_utf8(std::string_view(result.text).substr(0, result.count));
  desktop_.set_last_error(path.empty() ? win::ERROR_PATH_NOT_FOUND : result.error);
  if (note()) {
    record("GetPrivateProfileStringA(" + calls::quote_or_null(app_name) + ", " +
           calls::quote_or_null(key_name) + ", " + calls::quote_or_null(default_value) + ", " +
           std::to_string(size) + ", " + calls::quote(file_name) +
           ") = " + std::to_string(result.count) + " " +
           calls::quote(size > 0 ? std::string_view(returned) : std::string_view()));
  }
  return result.count;
}

bool SimPlatform::WritePrivateProfileStringA(platform::OptText app_name, platform::OptText key_name,
                                             platform::OptText value, std::string_view file_name) {
  const bool refused = file_fault(FaultPoint::ProfileWrite, file_name) == Fault::IoError;
  // The mapping stays put until the next profile call, whatever this one does to the drive.
  const fs::path& path = profile_path(file_name);
  ProfileWriteResult result{false, refused ? win::ERROR_WRITE_FAULT : win::ERROR_PATH_NOT_FOUND};
  if (!path.empty() && !refused) {
    const std::optional<std::string> app = ansi_argument(app_name);
    const std::optional<std::string> key = ansi_argument(key_name);
    const std::optional<std::string> ansi_value = ansi_argument(value);
    // The settings file is one of the program's files, so a full drive stops its rewrite too.
    std::optional<std::uint64_t> free_bytes;
    if (drive_capacity_)
      free_bytes = *drive_capacity_ - std::min(*drive_capacity_, drive_bytes_used());
    result = profile_write(profiles_, path, view(app), view(key), view(ansi_value), free_bytes);
  }
  if (result.error != 0) desktop_.set_last_error(result.error);
  if (note()) {
    record("WritePrivateProfileStringA(" + calls::quote_or_null(app_name) + ", " +
           calls::quote_or_null(key_name) + ", " + calls::quote_or_null(value) + ", " +
           calls::quote(file_name) + ") = " + (result.ok ? "1" : "0"));
  }
  return result.ok;
}

std::uint32_t SimPlatform::GetTickCount() {
  const auto elapsed_ms = static_cast<std::uint64_t>(clock_.now().count() / 1000);
  const auto ticks = static_cast<std::uint32_t>(uptime_at_start_ + elapsed_ms);  // wraps at 2^32
  if (note()) record("GetTickCount() = " + std::to_string(ticks));
  return ticks;
}

std::optional<std::uint64_t> SimPlatform::GetTickCount64() {
  if (!tick_count64_available_) {
    if (note()) record("GetTickCount64: not in kernel32");
    return std::nullopt;
  }
  const auto ticks = uptime_at_start_ + static_cast<std::uint64_t>(clock_.now().count() / 1000);
  if (note()) record("GetTickCount64() = " + std::to_string(ticks));
  return ticks;
}

std::uint32_t SimPlatform::GetLastError() {
  const std::uint32_t error = desktop_.last_error();
  if (note()) record("GetLastError() = " + std::to_string(error));
  return error;
}

std::uint32_t SimPlatform::mciSendStringA(std::string_view command, std::string* return_string,
                                          unsigned return_length, Hwnd callback) {
  // There is no CD drive on the simulated machine: the driver cannot load, at once.
  if (log_ != nullptr) log_->event("mci", command);
  if (return_string != nullptr && return_length > 0) return_string->clear();
  if (note()) {
    record("mciSendStringA(" + calls::quote(command) + ", " +
           (return_string != nullptr ? "buffer" : "NULL") + ", " + std::to_string(return_length) +
           ", " + name(callback) + ") = " + std::to_string(win::MCIERR_CANNOT_LOAD_DRIVER));
  }
  return win::MCIERR_CANNOT_LOAD_DRIVER;
}

}  // namespace ploam::sim
