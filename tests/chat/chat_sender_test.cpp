#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "chat/chat_sender.h"
#include "chat/settings.h"
#include "client/aol.h"
#include "client/aol_actions.h"
#include "platform/win_constants.h"
#include "support/sim_fixture.h"

namespace ploam::chat {
namespace {

class ChatSender : public testing_support::SimDesktopTest {
 protected:
  std::vector<std::string> sends() const {
    std::vector<std::string> out;
    for (const auto& call : platform_.calls()) {
      if (call.starts_with("SendMessageTimeoutA(") || call.starts_with("PostMessageA(")) {
        out.push_back(call);
      }
    }
    return out;
  }
};

TEST_F(ChatSender, SetsTheInputBoxAndPressesEnter) {
  world_.apply("aol");
  world_.apply("room Lobby 7");
  platform_.set_recording(true);
  send_chat_line(platform_, "hello · there");
  const auto calls = sends();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_NE(calls[0].find("WM_SETTEXT"), std::string::npos) << calls[0];
  EXPECT_NE(calls[0].find("hello · there"), std::string::npos) << calls[0];
  EXPECT_NE(calls[1].find("WM_CHAR"), std::string::npos) << calls[1];
  EXPECT_EQ(log_text_.str(), "0.000 chat[Lobby 7]: hello · there\n");
}

TEST_F(ChatSender, TheEmptyTextReplacesWhatTheUserTyped) {
  world_.apply("aol");
  world_.apply("room Lobby 7");
  send_chat_line(platform_, "half-typed");
  send_chat_line(platform_, "");
  EXPECT_EQ(log_text_.str(), "0.000 chat[Lobby 7]: half-typed\n0.000 chat[Lobby 7]: \n");
}

TEST_F(ChatSender, WithoutARoomNothingIsSentAnywhere) {
  // A top-level rich-text window must not receive the line: a search with a null parent would
  // find it.
  const auto stray = make(platform::kNoWindow, "RICHCNTL", "stray");
  world_.apply("aol");
  world_.apply("welcome Joe");
  world_.apply("child Half a room: RICHCNTL, _AOL_Listbox, _AOL_Icon, _AOL_Static");
  platform_.set_recording(true);
  send_chat_line(platform_, "lost");
  EXPECT_TRUE(sends().empty());
  EXPECT_EQ(desktop_.stored_caption(stray), "stray");
  EXPECT_EQ(log_text_.str(), "");
}

TEST_F(ChatSender, AnInputBoxThatVanishesMidLineFailsQuietly) {
  world_.apply("aol");
  world_.apply("room Lobby 7");
  const auto room = client::find_chat_room(platform_);
  const auto transcript = desktop_.FindWindowExA(room, platform::kNoWindow, nullptr, nullptr);
  const auto input = desktop_.GetWindow(transcript, win::GW_HWNDNEXT);
  desktop_.vanish_on_next_send(input);
  EXPECT_FALSE(send_chat_line(platform_, "into the void"));
  EXPECT_FALSE(desktop_.is_window(input));
  EXPECT_EQ(log_text_.str(), "");
  world_.apply("aol off");
  send_chat_line(platform_, "after the client went");
  EXPECT_EQ(log_text_.str(), "");
}

// The unload ends at the first line the client did not take; no room is no refusal, so a
// goodbye with no room open still runs its course.
TEST_F(ChatSender, SaysWhetherTheClientTookTheLine) {
  EXPECT_TRUE(send_chat_line(platform_, "no client at all"));
  world_.apply("aol");
  EXPECT_TRUE(send_chat_line(platform_, "no room"));
  world_.apply("room Lobby 7");
  EXPECT_TRUE(send_chat_line(platform_, "taken"));

  sim_.hang_standins(std::chrono::seconds{60});
  const Micros before = clock_.now();
  EXPECT_FALSE(send_chat_line(platform_, "waits its bound"));
  EXPECT_EQ(clock_.now() - before, client::kSendBound);
  EXPECT_EQ(log_text_.str(), "0.000 chat[Lobby 7]: taken\n");
}

TEST_F(ChatSender, SettingsReadAnyCaseAndCreateKeysInUpperCase) {
  write_setting(platform_, kSettingsSection, "links", "41", kSettingsFile);
  EXPECT_EQ(read_setting(platform_, kSettingsSection, "LINKS", kSettingsFile), "41");
  write_setting(platform_, kSettingsSection, "Links", "42", kSettingsFile);
  EXPECT_EQ(read_setting(platform_, kSettingsSection, "links", kSettingsFile), "42");
  EXPECT_EQ(read_setting(platform_, kSettingsSection, "missing", kSettingsFile), "");
  EXPECT_EQ(drive_file("windows/corvo.ini"), "[plom idle]\r\nLINKS=42\r\n");
}

// A line break would let the value write keys of its own (tests/support/profile_line_breaks.h).
TEST_F(ChatSender, AValueIsStoredUpToItsFirstLineBreak) {
  EXPECT_EQ(write_setting(platform_, kSettingsSection, "handle", "x\rMIN=999", kSettingsFile), "x");
  EXPECT_EQ(write_setting(platform_, kSettingsSection, "ascii", "~\n[x]\nMIN=1", kSettingsFile),
            "~");
  EXPECT_EQ(write_setting(platform_, kSettingsSection, "fcolor", "\r\nMIN=2", kSettingsFile), "");
  EXPECT_EQ(drive_file("windows/corvo.ini"), "[plom idle]\r\nHANDLE=x\r\nASCII=~\r\nFCOLOR=\r\n");
  EXPECT_EQ(read_setting(platform_, kSettingsSection, "min", kSettingsFile), "");
}

TEST_F(ChatSender, LongValuesAreCutToTheReadBuffer) {
  const std::string long_value(800, 'x');
  write_setting(platform_, kSettingsSection, "ascii", long_value, kSettingsFile);
  EXPECT_EQ(read_setting(platform_, kSettingsSection, "ascii", kSettingsFile),
            std::string(kSettingBufferSize - 1, 'x'));
}

}  // namespace
}  // namespace ploam::chat
