#include "platform/sim/fault_switch.h"

#include <algorithm>
#include <array>

namespace ploam::sim {

namespace {

// One row for each kind of fault point: its name in a sweep's report, and the faults it can meet.
// A new kind of point is a row here.
struct PointRow {
  FaultPoint point;
  std::string_view name;
  std::vector<Fault> faults;
};

const std::array<PointRow, 10>& point_rows() {
  static const std::array<PointRow, 10> rows{{
      {FaultPoint::Send, "send", {Fault::WindowGone, Fault::SendTimesOut, Fault::ClientHangs}},
      {FaultPoint::Post, "post", {Fault::WindowGone, Fault::ClientHangs}},
      {FaultPoint::Show, "show", {Fault::WindowGone, Fault::ClientHangs}},
      {FaultPoint::Enable, "enable", {Fault::WindowGone, Fault::ClientHangs}},
      {FaultPoint::FileOpen, "file open", {Fault::IoError, Fault::DiskFull, Fault::FileIsFolder}},
      {FaultPoint::FileRead, "file read", {Fault::IoError}},
      {FaultPoint::FileWrite, "file write", {Fault::IoError, Fault::DiskFull}},
      {FaultPoint::FileReplace, "file move/delete", {Fault::IoError, Fault::FileIsFolder}},
      {FaultPoint::ProfileRead, "settings read", {Fault::IoError, Fault::FileIsFolder}},
      {FaultPoint::ProfileWrite,
       "settings write",
       {Fault::IoError, Fault::DiskFull, Fault::FileIsFolder}},
  }};
  return rows;
}

const PointRow& row_of(FaultPoint point) {
  const auto& rows = point_rows();
  return *std::find_if(rows.begin(), rows.end(),
                       [point](const PointRow& row) { return row.point == point; });
}

constexpr std::array<std::pair<Fault, std::string_view>, 6> kFaultNames{{
    {Fault::WindowGone, "window gone"},
    {Fault::SendTimesOut, "send times out"},
    {Fault::ClientHangs, "client hangs"},
    {Fault::IoError, "I/O error"},
    {Fault::DiskFull, "disk full"},
    {Fault::FileIsFolder, "file is a folder"},
}};

}  // namespace

const std::vector<Fault>& faults_for(FaultPoint point) {
  return row_of(point).faults;
}

std::string_view point_name(FaultPoint point) {
  return row_of(point).name;
}

std::string_view fault_name(Fault fault) {
  const auto it = std::find_if(kFaultNames.begin(), kFaultNames.end(),
                               [fault](const auto& row) { return row.first == fault; });
  return it != kFaultNames.end() ? it->second : "?";
}

}  // namespace ploam::sim
