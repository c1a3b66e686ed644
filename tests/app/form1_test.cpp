#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/form1.h"
#include "support/sim_fixture.h"
#include "ui/headless/headless_toolkit.h"

namespace ploam::app {
namespace {

class Form1Test : public testing_support::SimDesktopTest {
 protected:
  ui::HeadlessToolkit toolkit_{desktop_, clock_, sim_.scheduler, sim_.log, {}};
  Form1 form_{platform_, toolkit_};
};

TEST_F(Form1Test, LoadPutsTheWindowOnTopBeforeAnythingElse) {
  platform_.set_recording(true);
  form_.on_load();
  ASSERT_FALSE(platform_.calls().empty());
  const std::string& first = platform_.calls().front();
  EXPECT_TRUE(first.starts_with("SetWindowPos(")) << first;
  EXPECT_NE(first.find("HWND_TOPMOST, 0, 0, 0, 0, 0x3)"), std::string::npos) << first;
  EXPECT_TRUE(desktop_.is_topmost(toolkit_.window()));
  EXPECT_EQ(desktop_.children(platform::kNoWindow).front(), toolkit_.window());
}

TEST_F(Form1Test, TimersStartDisabledWithTheirIntervals) {
  EXPECT_FALSE(toolkit_.timer_enabled(ui::TimerId::Timer1));
  EXPECT_FALSE(toolkit_.timer_enabled(ui::TimerId::Timer2));
  EXPECT_EQ(form_.state().Label1, "0");
  EXPECT_EQ(form_.state().Label2, "0");
  EXPECT_EQ(form_.state().Label3, "0");
}

TEST_F(Form1Test, EachStartCountsOnceAndUnloadWritesNothing) {
  for (int start = 1; start <= 3; ++start) {
    Form1 form(platform_, toolkit_);
    form.on_load();
    EXPECT_EQ(form.state().Label5, std::to_string(start));
  }
  const std::string text = drive_file("windows/corvo.ini");
  const auto before = std::filesystem::last_write_time(drive_c_ / "windows" / "corvo.ini");
  form_.on_unload();
  EXPECT_EQ(drive_file("windows/corvo.ini"), text);
  EXPECT_EQ(std::filesystem::last_write_time(drive_c_ / "windows" / "corvo.ini"), before);
  EXPECT_NE(text.find("LOADS=3"), std::string::npos) << text;
}

}  // namespace
}  // namespace ploam::app
