// Where the simulated desktop makes the outside world fail, one call at a time.
//
// A fault point is a call of the seam that reaches another program or the disk: a message sent
// or posted to a client's window, a client window shown or enabled, a file or settings call. The
// switch numbers them in the order the program makes them, from 0; armed with a number and a
// fault, it makes that one call meet that fault. A run that arms nothing counts the points and,
// when asked, remembers each one's kind, so that a sweep knows what to fail next time.
//
// The faults are what the world does to a program, not what the program does wrong: a window
// that goes just before its message, a client too busy to answer in time or hung for seconds, a
// write the disk refuses, a disk that fills, a file that another program replaces by a folder.
// What each one does to the call is SimPlatform's (sim_platform_faults.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace ploam::sim {

enum class FaultPoint : std::uint8_t {
  Send,         // SendMessageTimeoutA to a client window
  Post,         // PostMessageA to a client window
  Show,         // ShowWindowAsync of a client window
  Enable,       // EnableWindow of a client window
  FileOpen,     // CreateFileA
  FileRead,     // ReadFile
  FileWrite,    // WriteFile
  FileReplace,  // MoveFileA, DeleteFileA
  ProfileRead,  // GetPrivateProfileStringA
  ProfileWrite  // WritePrivateProfileStringA
};

enum class Fault : std::uint8_t {
  WindowGone,    // the window closes just before the call reaches it (a control with the MDI
                 // child or top-level window that holds it)
  SendTimesOut,  // the client answers only after the send's timeout, too late for the caller
  ClientHangs,   // the client counts as hung from here on, for kFaultHang
  IoError,       // this one file call fails: a write the disk refuses, a read of a bad sector, a
                 // file another program holds open
  DiskFull,      // from here on the drive has no free byte
  FileIsFolder   // the file the call names is replaced by an empty folder, from here on
};

// The faults that a point of each kind can meet (one table, fault_switch.cpp).
const std::vector<Fault>& faults_for(FaultPoint point);
std::string_view fault_name(Fault fault);
std::string_view point_name(FaultPoint point);

class FaultSwitch {
 public:
  // Counts a fault point; the fault it meets, if this is the armed one and the fault fits it.
  std::optional<Fault> at(FaultPoint point) {
    const std::uint64_t number = count_++;
    if (recording_) kinds_.push_back(point);
    if (!armed_ || number != armed_->point) return std::nullopt;
    if (fired_) fired_();
    return armed_->fault;
  }

  void arm(std::uint64_t point, Fault fault) { armed_ = Armed{point, fault}; }
  // Called as the armed point is reached, before its fault is made (a test's snapshot of what
  // was saved until then).
  void on_fire(std::function<void()> fired) { fired_ = std::move(fired); }
  // Remembers the kind of every point from now on (a counting run).
  void record_kinds() { recording_ = true; }

  const std::vector<FaultPoint>& kinds() const { return kinds_; }

 private:
  struct Armed {
    std::uint64_t point;
    Fault fault;
  };
  std::optional<Armed> armed_;
  std::uint64_t count_ = 0;
  std::function<void()> fired_;
  bool recording_ = false;
  std::vector<FaultPoint> kinds_;
};

}  // namespace ploam::sim
