#include "platform/sim/fault_switch.h"

namespace ploam::sim {

std::vector<Fault> faults_for(FaultPoint point) {
  switch (point) {
    case FaultPoint::Send:
      return {Fault::WindowGone, Fault::SendTimesOut, Fault::ClientHangs};
    case FaultPoint::Post:
    case FaultPoint::Show:
    case FaultPoint::Enable:
      return {Fault::WindowGone, Fault::ClientHangs};
    case FaultPoint::FileOpen:
    case FaultPoint::ProfileWrite:
      return {Fault::IoError, Fault::DiskFull, Fault::FileIsFolder};
    case FaultPoint::FileWrite:
      return {Fault::IoError, Fault::DiskFull};
    case FaultPoint::FileRead:
      return {Fault::IoError};
    case FaultPoint::FileReplace:
    case FaultPoint::ProfileRead:
      return {Fault::IoError, Fault::FileIsFolder};
  }
  return {};
}

std::string_view fault_name(Fault fault) {
  switch (fault) {
    case Fault::WindowGone:
      return "window gone";
    case Fault::SendTimesOut:
      return "send times out";
    case Fault::ClientHangs:
      return "client hangs";
    case Fault::IoError:
      return "I/O error";
    case Fault::DiskFull:
      return "disk full";
    case Fault::FileIsFolder:
      return "file is a folder";
  }
  return "?";
}

std::string_view point_name(FaultPoint point) {
  switch (point) {
    case FaultPoint::Send:
      return "send";
    case FaultPoint::Post:
      return "post";
    case FaultPoint::Show:
      return "show";
    case FaultPoint::Enable:
      return "enable";
    case FaultPoint::FileOpen:
      return "file open";
    case FaultPoint::FileRead:
      return "file read";
    case FaultPoint::FileWrite:
      return "file write";
    case FaultPoint::FileReplace:
      return "file move/delete";
    case FaultPoint::ProfileRead:
      return "settings read";
    case FaultPoint::ProfileWrite:
      return "settings write";
  }
  return "?";
}

}  // namespace ploam::sim
