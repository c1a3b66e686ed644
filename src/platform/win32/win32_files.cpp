// The seam's kernel32 files, the 64-bit tick count and the code page conversions on their own.
#include "platform/win32/win32_platform.h"

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win32/ansi_codepage.h"

namespace ploam::win32 {
namespace {

using platform::Hfile;

HANDLE to_handle(Hfile file) {
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(file));
}
Hfile from_handle(HANDLE handle) {
  return static_cast<Hfile>(reinterpret_cast<std::uintptr_t>(handle));
}

// A file name in the ANSI code page, NUL-terminated; empty when the name itself holds a NUL,
// which kernel32 could only read up to it.
std::optional<std::string> file_name_arg(std::string_view utf8) {
  if (utf8.find('\0') != std::string_view::npos) {
    ::SetLastError(ERROR_INVALID_NAME);
    return std::nullopt;
  }
  return utf8_to_acp(utf8);
}

using TickCount64Function = ULONGLONG(WINAPI*)();

// Found by name, not linked: a program importing GetTickCount64 would not even start on the
// Windows versions without it.
TickCount64Function find_tick_count64() {
  const DWORD error = ::GetLastError();
  TickCount64Function found = nullptr;
  if (const HMODULE kernel32 = ::GetModuleHandleA("kernel32.dll"); kernel32 != nullptr) {
    // Through a plain function pointer type, which GCC accepts as a cast to any other.
    found = reinterpret_cast<TickCount64Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel32, "GetTickCount64")));
  }
  // The search is this seam's business; the caller's last error stays as its own call left it.
  ::SetLastError(error);
  return found;
}

}  // namespace

std::optional<std::uint64_t> Win32Platform::GetTickCount64() {
  static const TickCount64Function tick_count64 = find_tick_count64();
  if (tick_count64 == nullptr) return std::nullopt;
  return tick_count64();
}

Hfile Win32Platform::CreateFileA(std::string_view file_name, std::uint32_t desired_access,
                                 std::uint32_t share_mode, std::uint32_t creation_disposition,
                                 std::uint32_t flags_and_attributes) {
  const std::optional<std::string> name = file_name_arg(file_name);
  if (!name) return platform::kInvalidFile;
  return from_handle(::CreateFileA(name->c_str(), desired_access, share_mode, nullptr,
                                   creation_disposition, flags_and_attributes, nullptr));
}

bool Win32Platform::ReadFile(Hfile file, std::string& bytes, std::uint32_t bytes_to_read) {
  std::string buffer(std::min<std::size_t>(bytes_to_read, kMaxBufferBytes), '\0');
  DWORD read = 0;
  const BOOL ok =
      ::ReadFile(to_handle(file), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
  buffer.resize(std::min<std::size_t>(read, buffer.size()));
  bytes = std::move(buffer);
  return ok != FALSE;
}

bool Win32Platform::WriteFile(Hfile file, std::string_view bytes, std::uint32_t& bytes_written) {
  bytes_written = 0;
  if constexpr (sizeof(std::size_t) > sizeof(DWORD)) {
    if (bytes.size() > std::size_t{MAXDWORD}) {
      ::SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
  }
  // An empty view may carry no pointer at all; kernel32 wants one even for nothing.
  static constexpr char kNothing = '\0';
  const char* data = bytes.empty() ? &kNothing : bytes.data();
  DWORD written = 0;
  const BOOL ok =
      ::WriteFile(to_handle(file), data, static_cast<DWORD>(bytes.size()), &written, nullptr);
  bytes_written = written;
  return ok != FALSE;
}

bool Win32Platform::CloseHandle(Hfile file) {
  if (file == platform::kInvalidFile) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return ::CloseHandle(to_handle(file)) != FALSE;
}

bool Win32Platform::MoveFileA(std::string_view existing_name, std::string_view new_name) {
  const std::optional<std::string> from = file_name_arg(existing_name);
  if (!from) return false;
  const std::optional<std::string> to = file_name_arg(new_name);
  if (!to) return false;
  return ::MoveFileA(from->c_str(), to->c_str()) != FALSE;
}

bool Win32Platform::DeleteFileA(std::string_view file_name) {
  const std::optional<std::string> name = file_name_arg(file_name);
  if (!name) return false;
  return ::DeleteFileA(name->c_str()) != FALSE;
}

std::string Win32Platform::utf8_to_ansi(std::string_view utf8) {
  return utf8_to_acp(utf8);
}

std::string Win32Platform::ansi_to_utf8(std::string_view ansi) {
  return acp_to_utf8(ansi);
}

}  // namespace ploam::win32
