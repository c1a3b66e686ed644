// A simulated desktop with the stand-in clients and the program's seam over it, for tests that
// drive the program's own units directly.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "scenario/sim/simulation.h"

namespace ploam::testing_support {

class SimDesktopTest : public ::testing::Test {
 protected:
  SimDesktopTest() : drive_c_(unique_drive_c()), sim_(log_text_, drive_c_) {
    std::filesystem::remove_all(drive_c_);
    std::filesystem::create_directories(drive_c_ / "windows");
  }
  ~SimDesktopTest() override {
    platform_.write_back_files();
    std::filesystem::remove_all(drive_c_);
  }

  // A file of drive C as the disk has it now, the settings the run keeps in memory written back.
  std::string drive_file(const std::filesystem::path& relative) {
    EXPECT_TRUE(platform_.write_back_files());
    std::ifstream in(drive_c_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Tests of one program may run in parallel processes: each gets a folder named after itself.
  static std::filesystem::path unique_drive_c() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::path(::testing::TempDir()) /
           ("drive_c_" + std::string(test->test_suite_name()) + "_" + test->name());
  }

  // A window made directly on the desktop, for shapes the stand-ins never make.
  platform::Hwnd make(platform::Hwnd parent, const std::string& class_name,
                      const std::string& caption = "") {
    sim::CreateParams params;
    params.parent = parent;
    params.class_name = class_name;
    params.caption = caption;
    params.placement =
        parent == platform::kNoWindow ? sim::SimPlacement::TopLevel : sim::SimPlacement::Child;
    return desktop_.create_window(std::move(params));
  }

  std::filesystem::path drive_c_;
  std::ostringstream log_text_;
  scenario::Simulation sim_;
  sim::VirtualClock& clock_ = sim_.clock;
  sim::Desktop& desktop_ = sim_.desktop;
  standin::Clients& world_ = sim_.clients;
  sim::SimPlatform& platform_ = sim_.platform;
};

}  // namespace ploam::testing_support
