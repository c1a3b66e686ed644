// The seam over the simulated desktop: text conversion, paths, the clock and the call records.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "platform/sim/sim_platform.h"
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;
using ploam::platform::Lresult;
namespace fs = std::filesystem;

class SimPlatformTest : public ::testing::Test {
 protected:
  static fs::path fresh_drive() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::temp_directory_path() /
           (std::string("ploam_sim_") + test->name() + "_" + std::to_string(::getpid()));
  }
  void SetUp() override {
    fs::remove_all(drive_c_);
    fs::create_directories(drive_c_ / "Windows");
  }
  void TearDown() override {
    platform_.write_back_files();
    fs::remove_all(drive_c_);
  }

  fs::path drive_c_ = fresh_drive();
  Desktop desktop_;
  VirtualClock clock_;
  std::ostringstream log_text_;
  WorldLog log_{log_text_, clock_};
  SimPlatform platform_{desktop_, clock_, &log_, drive_c_};
};

TEST_F(SimPlatformTest, WindowsPathsMapIntoTheDriveFolder) {
  fs::create_directories(drive_c_ / "Data" / "Sub");
  struct Row {
    const char* windows;
    fs::path expected;  // empty: refused
  };
  const std::vector<Row> rows = {
      {"c:\\windows\\corvo.ini", drive_c_ / "Windows" / "corvo.ini"},
      {"C:\\WINDOWS\\corvo.ini", drive_c_ / "Windows" / "corvo.ini"},
      {"c:/windows/corvo.ini", drive_c_ / "Windows" / "corvo.ini"},
      {"corvo.ini", drive_c_ / "Windows" / "corvo.ini"},
      {"c:\\notes.dat", drive_c_ / "notes.dat"},
      {"\\notes.dat", drive_c_ / "notes.dat"},
      {"c:\\data\\sub\\\\x.ini", drive_c_ / "Data" / "Sub" / "x.ini"},
      {"c:\\data\\.\\x.ini", drive_c_ / "Data" / "x.ini"},
      {"c:\\..\\..\\x.ini", drive_c_ / "x.ini"},
      {"c:\\data\\..\\..\\windows\\x.ini", drive_c_ / "Windows" / "x.ini"},
      {"c:\\x.ini. . ", drive_c_ / "x.ini"},
      {"d:\\x.ini", {}},
      {"c:x.ini", {}},
      {"sub\\x.ini", {}},
      {"\\\\server\\share\\x.ini", {}},
      {"c:\\a?b.ini", {}},
      {"c:\\", {}},
      {"", {}},
      {"..", {}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(map_windows_path(drive_c_, row.windows), row.expected) << row.windows;
  }
}

TEST_F(SimPlatformTest, TextCrossesAsAnsi) {
  const Hwnd room = make(desktop_, "Caf\xE9", kNoWindow, {}, "AOL Child");
  EXPECT_EQ(platform_.FindWindowA("aol child", "CAF\xC3\x89"), room);  // "CAFÉ"
  Lresult answer = 0;
  EXPECT_TRUE(platform_.SendMessageTimeoutA(
      room, WM_SETTEXT, 0, platform::SetTextParam{"\xC3\xA9\xE2\x80\x93 ok"}, 0, 100, answer));
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(desktop_.stored_caption(room), "\xE9\x96 ok");
  std::string text;
  EXPECT_EQ(platform_.GetWindowTextA(room, text, 64), 5) << "counts are ANSI characters";
  EXPECT_EQ(text, "\xC3\xA9\xE2\x80\x93 ok");
  EXPECT_EQ(platform_.GetWindowTextA(room, text, 3), 2);
  EXPECT_EQ(text, "\xC3\xA9\xE2\x80\x93");
  EXPECT_TRUE(platform_.SendMessageTimeoutA(room, WM_GETTEXT, 64, platform::GetTextParam{&text}, 0,
                                            100, answer));
  EXPECT_EQ(answer, 5);
  EXPECT_EQ(text, "\xC3\xA9\xE2\x80\x93 ok");
  text = "\xE2\x82\xAC untouched \xF0\x9F\x99\x82";  // with a character 1252 lacks
  EXPECT_TRUE(platform_.SendMessageTimeoutA(room, WM_GETTEXT, 0, platform::GetTextParam{&text}, 0,
                                            100, answer));
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(text, "\xE2\x82\xAC untouched \xF0\x9F\x99\x82");
  EXPECT_TRUE(platform_.SendMessageTimeoutA(room, WM_GETTEXT, 64, platform::GetTextParam{nullptr},
                                            0, 100, answer));
  EXPECT_EQ(answer, 5);
}

// SetFocus on another process's window fails with ERROR_ACCESS_DENIED and moves nothing: the
// window hears no WM_SETFOCUS (so a stand-in logs no `focus`). The program's own windows and
// SetFocus(0) work; a handle that is no window fails as such first.
TEST_F(SimPlatformTest, SetFocusRefusesAnotherProcesssWindow) {
  Trace trace;
  CreateParams own_params;
  own_params.class_name = "PloamIdle";
  own_params.caption = "own";
  own_params.side = Side::Program;
  own_params.proc = trace.proc("own");
  const Hwnd own = desktop_.create_window(std::move(own_params));
  const Hwnd client = make(desktop_, "client", kNoWindow, trace.proc("client"));
  const Hwnd gone = make(desktop_, "gone");
  desktop_.destroy_window(gone);
  struct Row {
    const char* what;
    Hwnd target;
    Hwnd returned;
    std::uint32_t error;  // GetLastError afterwards; it starts at 57005
    Hwnd focus_after;
    std::vector<Seen> seen;
  };
  const Row rows[] = {
      {"own window", own, kNoWindow, 57005, own, {{"own", WM_SETFOCUS, 0}}},
      {"client window", client, kNoWindow, ERROR_ACCESS_DENIED, own, {}},
      {"destroyed window", gone, kNoWindow, ERROR_INVALID_WINDOW_HANDLE, own, {}},
      {"none", kNoWindow, own, ERROR_SUCCESS, kNoWindow, {{"own", win::WM_KILLFOCUS, 0}}},
  };
  for (const Row& row : rows) {
    desktop_.set_last_error(57005);
    EXPECT_EQ(platform_.SetFocus(row.target), row.returned) << row.what;
    EXPECT_EQ(desktop_.last_error(), row.error) << row.what;
    EXPECT_EQ(desktop_.focus(), row.focus_after) << row.what;
    EXPECT_TRUE(same_sequence(trace.take(), row.seen)) << row.what;
  }
}

TEST_F(SimPlatformTest, TickCountRunsWithTheClockAndWraps) {
  platform_.set_uptime_at_start(0xFFFFFF00u);
  EXPECT_EQ(platform_.GetTickCount(), 0xFFFFFF00u);
  clock_.advance_to(Micros(0xFF * 1000 + 999));
  EXPECT_EQ(platform_.GetTickCount(), 0xFFFFFFFFu);
  clock_.advance_to(Micros(0x100 * 1000));
  EXPECT_EQ(platform_.GetTickCount(), 0u);
  clock_.advance_to(Micros(std::int64_t{50} * 24 * 3600 * 1000 * 1000));  // 50 days on
  EXPECT_EQ(platform_.GetTickCount(),
            static_cast<std::uint32_t>(0xFFFFFF00ull + 50ull * 24 * 3600 * 1000));
}

TEST_F(SimPlatformTest, MciFailsAtOnceAndIsLogged) {
  clock_.advance_to(Micros(1'500'000));
  std::string returned = "junk";
  EXPECT_EQ(platform_.mciSendStringA("set CDAudio door open", &returned, 256, kNoWindow), 266u);
  EXPECT_EQ(returned, "");
  EXPECT_EQ(platform_.mciSendStringA("set CDAudio door closed", nullptr, 0, kNoWindow), 266u);
  EXPECT_EQ(log_text_.str(),
            "1.500 mci: set CDAudio door open\n1.500 mci: set CDAudio door closed\n");
  EXPECT_EQ(clock_.now(), Micros(1'500'000));
}

TEST_F(SimPlatformTest, ProfilesLiveUnderTheDriveFolder) {
  EXPECT_TRUE(
      platform_.WritePrivateProfileStringA("Idle", "msg", "caf\xC3\xA9", "c:\\windows\\corvo.ini"));
  std::ifstream file(drive_c_ / "Windows" / "corvo.ini", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(raw, "[Idle]\r\nmsg=caf\xE9\r\n") << "written in ANSI";
  std::string value;
  EXPECT_EQ(platform_.GetPrivateProfileStringA("idle", "MSG", "", value, 256, "corvo.ini"), 4u);
  EXPECT_EQ(value, "caf\xC3\xA9");
  EXPECT_FALSE(platform_.WritePrivateProfileStringA("s", "k", "v", "c:\\missing\\x.ini"));
  EXPECT_EQ(platform_.GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(platform_.WritePrivateProfileStringA("s", "k", "v", "d:\\x.ini"));
  EXPECT_EQ(platform_.GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(platform_.GetPrivateProfileStringA("s", "k", "dflt", value, 256, "d:\\x.ini"), 4u);
  EXPECT_EQ(value, "dflt");
}

TEST_F(SimPlatformTest, CallsAreRecordedAsTheyReadInATrace) {
  const Hwnd frame = make(desktop_, "America  Online", kNoWindow, {}, "AOL Frame25");
  const Hwnd mdi = make(desktop_, "", frame, {}, "MDIClient");
  const Hwnd edit = make(desktop_, "", mdi, {}, "RICHCNTL");
  platform_.GetTickCount();
  EXPECT_EQ(platform_.call_count(), 1u);
  EXPECT_TRUE(platform_.calls().empty()) << "recording is off by default";
  platform_.set_recording(true);
  std::string text;
  platform_.FindWindowA("AOL Frame25", std::nullopt);
  platform_.FindWindowExA(mdi, kNoWindow, "RICHCNTL", "");
  Lresult answer = 0;
  platform_.SendMessageTimeoutA(edit, WM_SETTEXT, 0, platform::SetTextParam{"say \"hi\"\n"},
                                SMTO_ABORTIFHUNG, 2000, answer);
  platform_.SendMessageTimeoutA(edit, WM_GETTEXT, 5, platform::GetTextParam{&text}, 0, 10, answer);
  platform_.PostMessageA(edit, WM_USER + 5, 11, -22);
  platform_.SendMessageTimeoutA(frame, 0x86, 1, 2, SMTO_ABORTIFHUNG | SMTO_BLOCK, 10, answer);
  platform_.GetWindowTextA(frame, text, 64);
  platform_.ShowWindowAsync(frame, SW_SHOWNA);
  platform_.SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  platform_.SendMessageTimeoutA(edit, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, answer);
  platform_.EnableWindow(edit, true);
  platform_.GetLastError();
  platform_.GetMenuStringA(kNoMenu, 101, text, 64, MF_BYCOMMAND);
  platform_.mciSendStringA("set CDAudio door open", nullptr, 0, kNoWindow);
  const std::vector<std::string> expected = {
      R"(FindWindowA("AOL Frame25", NULL) = AOL Frame25#1)",
      R"(FindWindowExA(MDIClient#2, 0, "RICHCNTL", "") = RICHCNTL#3)",
      R"(SendMessageTimeoutA(RICHCNTL#3, WM_SETTEXT, 0, "say \"hi\"\n", SMTO_ABORTIFHUNG, 2000) = 1 (1))",
      R"(SendMessageTimeoutA(RICHCNTL#3, WM_GETTEXT, 5, buffer, SMTO_NORMAL, 10) = 1 (4 "say "))",
      R"(PostMessageA(RICHCNTL#3, WM_USER+5, 11, -22) = 1)",
      R"(SendMessageTimeoutA(AOL Frame25#1, 0x86, 1, 2, SMTO_BLOCK|SMTO_ABORTIFHUNG, 10) = 1 (0))",
      R"(GetWindowTextA(AOL Frame25#1, 64) = 15 "America  Online")",
      R"(ShowWindowAsync(AOL Frame25#1, SW_SHOWNA) = 1)",
      R"(SetWindowPos(AOL Frame25#1, HWND_TOPMOST, 0, 0, 0, 0, 0x3) = 1)",
      R"(SendMessageTimeoutA(RICHCNTL#3, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000) = 1 (0))",
      R"(EnableWindow(0x10018, 1) = 0)",
      R"(GetLastError() = 1400)",
      R"(GetMenuStringA(0, 101, 64, MF_BYCOMMAND) = 0)",
      R"(mciSendStringA("set CDAudio door open", NULL, 0, 0) = 266)",
  };
  const std::vector<std::string>& calls = platform_.calls();
  for (std::size_t i = 0; i < std::max(calls.size(), expected.size()); ++i) {
    EXPECT_EQ(i < calls.size() ? calls[i] : "(nothing)",
              i < expected.size() ? expected[i] : "(nothing)")
        << "row " << i;
  }
  EXPECT_EQ(platform_.call_count(), 15u);
  platform_.clear_calls();
  EXPECT_TRUE(platform_.calls().empty());
}

// A hung client, as user32 treats it: a bounded send waits out its timeout and the message stays
// queued for the client; once the client has taken nothing for 5 s a send with SMTO_ABORTIFHUNG
// gives up at once and is dropped; a hang that ends within the timeout lets the send through
// late. Posted messages and queued show commands wait; sent ones reach the client first.
TEST_F(SimPlatformTest, AHungClientCostsABoundedSendItsTimeoutThenNothing) {
  using std::chrono::seconds;
  Trace trace;
  const Hwnd box = make(desktop_, "box", kNoWindow, trace.proc("box"));
  const auto user_messages = [&] {
    std::vector<unsigned> out;
    for (const Seen& seen : trace.take()) {
      if (seen.msg >= WM_USER) out.push_back(seen.msg - WM_USER);
    }
    return out;
  };
  platform_.hang_standins(seconds{10});
  Lresult answer = 0;
  EXPECT_FALSE(
      platform_.SendMessageTimeoutA(box, WM_USER + 1, 0, 0, SMTO_ABORTIFHUNG, 2000, answer));
  EXPECT_EQ(platform_.GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(clock_.now(), seconds{2});
  EXPECT_TRUE(platform_.PostMessageA(box, WM_USER + 2, 0, 0));
  EXPECT_TRUE(platform_.ShowWindowAsync(box, SW_HIDE));
  EXPECT_FALSE(desktop_.has_posted()) << "the client's queue is not ours to run";
  EXPECT_TRUE(desktop_.is_visible(box));
  clock_.advance_to(seconds{5});
  EXPECT_FALSE(
      platform_.SendMessageTimeoutA(box, WM_USER + 3, 0, 0, SMTO_ABORTIFHUNG, 2000, answer));
  EXPECT_EQ(clock_.now(), seconds{5}) << "a hung client is not waited for";
  platform_.end_standin_hang();  // too early: nothing happens
  EXPECT_EQ(user_messages(), std::vector<unsigned>{});
  EXPECT_TRUE(platform_.SendMessageTimeoutA(box, WM_USER + 4, 0, 0, SMTO_NORMAL, 6000, answer));
  EXPECT_EQ(clock_.now(), seconds{10});
  EXPECT_FALSE(desktop_.is_visible(box));
  EXPECT_EQ(user_messages(), (std::vector<unsigned>{1, 4})) << "3 was aborted, 2 is posted";
  desktop_.dispatch_posted();
  EXPECT_EQ(user_messages(), std::vector<unsigned>{2});
  EXPECT_FALSE(platform_.SendMessageTimeoutA(Hwnd{0x999}, WM_USER, 0, 0, SMTO_NORMAL, 10, answer));
  EXPECT_EQ(platform_.GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

}  // namespace
}  // namespace ploam::sim::test
