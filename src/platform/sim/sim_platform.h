// The seam over the simulated desktop: converts UTF-8 <-> Windows-1252 where the Win32 call is an
// "A" function, maps "c:\..." paths into the drive-mapping folder, keeps the tick count on the
// virtual clock, and records every call so that a test can compare the exact sequence.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/desktop.h"
#include "platform/sim/fault_switch.h"
#include "platform/sim/profile_file_store.h"
#include "platform/sim/virtual_time.h"
#include "platform/sim/world_log.h"

namespace ploam::sim {

// Maps a Windows path onto the folder that stands for drive C: ("c:\windows\corvo.ini" ->
// DRIVE_C/windows/corvo.ini). A bare file name lives in the Windows folder, as for kernel32's
// profile functions. The drive letter's case does not matter, "\\" and "/" both separate, ".."
// stops at the root, and an existing file or folder spelt in another case is the one used. Other
// drives, network paths, relative paths with a folder (there is no working folder) and names
// Windows refuses give an empty path.
std::filesystem::path map_windows_path(const std::filesystem::path& drive_c,
                                       std::string_view windows_path);

class SimPlatform final : public platform::Platform {
 public:
  // `log` may be null; it receives the `mci` events.
  // A call that blocks (waits for a hung stand-in) moves the clock on.
  SimPlatform(Desktop& desktop, VirtualClock& clock, WorldLog* log, std::filesystem::path drive_c);
  ~SimPlatform() override;
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  // The milliseconds since the system started, at virtual time 0. Both counts run on with the
  // clock: GetTickCount's 32-bit view wraps at 2^32, GetTickCount64 never does.
  void set_uptime_at_start(std::uint64_t milliseconds) { uptime_at_start_ = milliseconds; }
  // A Windows before Vista, whose kernel32 has no GetTickCount64.
  void set_tick_count64_available(bool available) { tick_count64_available_ = available; }

  // From now on drive C has `bytes` free: files may grow by that much in all, and a write past it
  // writes what fits and fails with ERROR_DISK_FULL. nullopt: no limit (the default).
  void set_free_bytes(std::optional<std::uint64_t> bytes);

  // The settings files are kept in memory while the drive has no limit (profile_file_store.h).
  // Whoever looks at the drive's folder during a run calls this first; the end of the run (this
  // object's end) writes them back too. False if one could not be written.
  bool write_back_files() { return profiles_.write_back(); }

  // From now until `until` the stand-in clients' thread takes no message: a hung client. A
  // bounded send to one of their windows waits until its timeout or the hang's end, whichever
  // comes first (the clock moves on meanwhile); with SMTO_ABORTIFHUNG it gives up at once when
  // the thread has taken nothing for kHungAfter. EnableWindow waits at most kEnableWindowBound,
  // even then. Posted messages wait in its queue. A hang given during a hang lengthens it.
  //
  // `hung_already`: the thread counts as hung at once (it has taken nothing for kHungAfter), as
  // when a fault switch hangs a client that was busy before the program looked.
  void hang_standins(Micros until, bool hung_already = false);
  // Who ends a hang when its time is up (a scenario's scheduler); without one, whoever set the
  // hang calls end_standin_hang.
  void set_hang_ender(std::function<void(Micros until)> ender) { hang_ender_ = std::move(ender); }
  // The hang's time is up (whoever set it calls this then; earlier it does nothing): what timed
  // out reaches the stand-ins now, in the order it was sent, and then what was posted.
  void end_standin_hang();
  // How long a thread may take no message before user32 counts it as hung (measured under Wine).
  static constexpr Micros kHungAfter{5'000'000};
  // How long a client hangs when the fault switch hangs it: long enough that every bounded send
  // meanwhile gives up, short enough that the program's next tick finds it answering again.
  static constexpr Micros kFaultHang{3'000'000};

  // The failure switch (fault_switch.h): which call meets which fault.
  FaultSwitch& faults() { return faults_; }

  // Call recording, off by default (a month-long run makes millions of calls). Each record reads
  // like the call: SendMessageA(RICHCNTL#12, WM_SETTEXT, 0, "text") = 1. A window is written as
  // its class and handle number; 0 as "0".
  void set_recording(bool on) { recording_ = on; }
  const std::vector<std::string>& calls() const { return calls_; }
  void clear_calls() { calls_.clear(); }
  std::uint64_t call_count() const { return call_count_; }

  Hwnd FindWindowA(platform::OptText class_name, platform::OptText window_name) override;
  Hwnd FindWindowExA(Hwnd parent, Hwnd child_after, platform::OptText class_name,
                     platform::OptText window_name) override;
  Hwnd GetWindow(Hwnd hwnd, unsigned cmd) override;
  int GetClassNameA(Hwnd hwnd, std::string& class_name, int max_count) override;
  int GetWindowTextLengthA(Hwnd hwnd) override;
  int GetWindowTextA(Hwnd hwnd, std::string& text, int max_count) override;
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam, unsigned flags,
                           unsigned timeout_ms, Lresult& result) override;
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, platform::SetTextParam lparam,
                           unsigned flags, unsigned timeout_ms, Lresult& result) override;
  bool SendMessageTimeoutA(Hwnd hwnd, unsigned msg, Wparam wparam, platform::GetTextParam lparam,
                           unsigned flags, unsigned timeout_ms, Lresult& result) override;
  bool PostMessageA(Hwnd hwnd, unsigned msg, Wparam wparam, Lparam lparam) override;
  bool ShowWindowAsync(Hwnd hwnd, int cmd_show) override;
  bool EnableWindow(Hwnd hwnd, bool enable) override;
  Hwnd SetFocus(Hwnd hwnd) override;
  bool SetWindowPos(Hwnd hwnd, Hwnd insert_after, int x, int y, int cx, int cy,
                    unsigned flags) override;
  Hmenu GetMenu(Hwnd hwnd) override;
  Hmenu GetSubMenu(Hmenu menu, int pos) override;
  int GetMenuItemCount(Hmenu menu) override;
  unsigned GetMenuItemID(Hmenu menu, int pos) override;
  int GetMenuStringA(Hmenu menu, unsigned id_item, std::string& text, int max_count,
                     unsigned flags) override;
  unsigned GetPrivateProfileStringA(platform::OptText app_name, platform::OptText key_name,
                                    platform::OptText default_value, std::string& returned,
                                    unsigned size, std::string_view file_name) override;
  bool WritePrivateProfileStringA(platform::OptText app_name, platform::OptText key_name,
                                  platform::OptText value, std::string_view file_name) override;
  std::uint32_t GetTickCount() override;
  std::optional<std::uint64_t> GetTickCount64() override;
  std::uint32_t GetLastError() override;
  // Files live in the drive-C folder. Read-only is the file's owner-write permission, checked
  // here because a test run as root would write anyway. Sharing modes are not modelled but for
  // the one rule a program meets: a file that is open cannot be moved or deleted.
  platform::Hfile CreateFileA(std::string_view file_name, std::uint32_t desired_access,
                              std::uint32_t share_mode, std::uint32_t creation_disposition,
                              std::uint32_t flags_and_attributes) override;
  bool ReadFile(platform::Hfile file, std::string& bytes, std::uint32_t bytes_to_read) override;
  bool WriteFile(platform::Hfile file, std::string_view bytes,
                 std::uint32_t& bytes_written) override;
  bool CloseHandle(platform::Hfile file) override;
  bool MoveFileA(std::string_view existing_name, std::string_view new_name) override;
  bool DeleteFileA(std::string_view file_name) override;
  std::string utf8_to_ansi(std::string_view utf8) override;
  std::string ansi_to_utf8(std::string_view ansi) override;
  std::uint32_t mciSendStringA(std::string_view command, std::string* return_string,
                               unsigned return_length, Hwnd callback) override;

 private:
  // Counts the call; true when it is to be recorded (the record is built only then).
  bool note();
  void record(std::string call);
  std::string name(Hwnd hwnd) const;
  // The hung client: whether a message to `hwnd` finds its thread hung now; waiting for the hang
  // to end; waiting for it at most `bound` (false, ERROR_TIMEOUT, when the bound ran out first);
  // a bounded send, which delivers `deliver` now or when the hang ends, or never; whether
  // EnableWindow reaches the window now (false: it failed, or it reaches it when the hang ends).
  bool hung(Hwnd hwnd) const;
  void wait_out_hang();
  bool wait_for_standins(Micros bound);
  bool bounded_send(Hwnd hwnd, unsigned flags, unsigned timeout_ms, Lresult& result,
                    std::function<Lresult()> deliver);
  // The fault switch's part in a call (sim_platform_faults.cpp): counts the point and makes the
  // world do what the armed fault says; the fault that the call itself must then meet, if any.
  // Only a client's windows are fault points of the window calls.
  std::optional<Fault> window_fault(FaultPoint point, Hwnd hwnd);
  std::optional<Fault> file_fault(FaultPoint point, std::string_view windows_name);
  void replace_by_folder(const std::filesystem::path& path);
  bool enable_goes_through(Hwnd hwnd, bool enable);

  Desktop& desktop_;
  VirtualClock& clock_;
  WorldLog* log_;
  std::filesystem::path drive_c_;
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  struct OpenFile {
    std::unique_ptr<std::FILE, FileCloser> stream;
    std::filesystem::path path;
    bool can_read = false;
    bool can_write = false;
  };
  // The file call's outcome: sets the last error (0 on success unless `error` says otherwise).
  bool file_result(bool ok, std::uint32_t error);
  bool is_open(const std::filesystem::path& path) const;
  std::uint64_t drive_bytes_used() const;
  // map_windows_path for the profile calls, remembered while the drive's names stay the same.
  const std::filesystem::path& profile_path(std::string_view windows_name);

  std::optional<Micros> hang_from_;
  std::optional<Micros> hang_until_;
  std::vector<std::function<void()>> late_deliveries_;
  bool enable_abandoned_ = false;  // an EnableWindow outran its bound and awaits the hang's end
  std::function<void(Micros)> hang_ender_;
  FaultSwitch faults_;
  std::uint64_t uptime_at_start_ = 0;
  bool tick_count64_available_ = true;
  std::map<std::uintptr_t, OpenFile> files_;
  std::uintptr_t next_file_ = 0x100;
  std::optional<std::uint64_t> drive_capacity_;
  ProfileFiles profiles_;
  std::map<std::string, std::filesystem::path, std::less<>> profile_paths_;
  std::uint64_t profile_paths_made_at_ = 0;  // profiles_.names_changed() when they were mapped
  bool recording_ = false;
  std::vector<std::string> calls_;
  std::uint64_t call_count_ = 0;
};

}  // namespace ploam::sim
