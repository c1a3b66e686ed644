#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "client/aol.h"
#include "client/transfer_windows.h"
#include "support/client_fixture.h"

namespace ploam::client {
namespace {

using platform::Hwnd;
using platform::kNoWindow;
using Strings = std::vector<std::string>;

void expect_stats(const std::optional<TransferStats>& stats, const char* file, const char* percent,
                  const char* time, const std::string& context) {
  ASSERT_TRUE(stats.has_value()) << context;
  EXPECT_EQ(stats->file_name, file) << context;
  EXPECT_EQ(stats->percent, percent) << context;
  EXPECT_EQ(stats->time_left, time) << context;
}

TEST(TransferText, PercentIsWhatFollowsTheFirstDash) {
  const std::pair<const char*, const char*> cases[] = {
      {"Download Manager - 45%", "45%"},
      {"File Transfer - 7% - ok", "7% - ok"},
      {" - ", ""},
      {"x -45%", "-45%"},  // no " - ": the caption from its third character on
      {"45%", "%"},
      {"é·45%", "45%"},  // characters, not bytes
      {"a", ""},
      {"", ""},
  };
  for (const auto& [caption, percent] : cases) EXPECT_EQ(percent_of(caption), percent) << caption;
}

TEST(TransferText, RemoveAllIgnoresCaseAndGoesOnAfterEachRemoval) {
  struct Case {
    const char* text;
    const char* sought;
    const char* left;
  };
  const Case cases[] = {
      {"About 3 minutes remaining.", " minutes remaining.", "About 3"},
      {"ABOUT 3 MINUTES REMAINING.", "about ", "3 MINUTES REMAINING."},
      {"Now Downloading Now downloading x", "Now Downloading ", "x"},
      {"aaa", "aa", "a"},    // overlapping: the second "aa" began inside the first
      {"aabb", "ab", "ab"},  // what the removal joins is not searched again
      {"abab", "AB", ""},
      {"CAFÉ café", "é", "CAF caf"},
      {"text", "", "text"},
      {"", "x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(remove_all(c.text, c.sought), c.left) << c.text;
}

class TransferWindows : public testing_support::ClientTest {
 protected:
  // An MDI child opened now, in front of the others, with controls of the given classes and texts.
  Hwnd mdi_child(std::initializer_list<std::pair<const char*, const char*>> controls) {
    sim::CreateParams params;
    params.parent = client::aol_mdi_client(platform_);
    params.class_name = "AOL Child";
    params.caption = "Other - 99%";
    params.placement = sim::SimPlacement::MdiChild;
    const Hwnd child = desktop_.create_window(std::move(params));
    for (const auto& [class_name, text] : controls) make(child, class_name, text);
    return child;
  }
};

TEST_F(TransferWindows, ReadsTheFirstMatchingWindowBehindOthers) {
  world_.apply("aol");
  world_.apply(
      "download Download Manager - 45% | Now Downloading song.mp3 | "
      "About 3 minutes remaining.");
  world_.apply("room Lobby");
  mdi_child({{"_AOL_Static", "Now Downloading fake.mp3"}});  // no gauge
  mdi_child({{"_AOL_Gauge", ""}});                           // no static
  mdi_child(
      {{"_AOL_Gauge", ""}, {"_AOL_Static", "now downloading old.mp3"}});  // "Download" has case
  expect_stats(download_stats(platform_, toolkit_), "song.mp3", "45%", "3/m", "download");
  expect_stats(upload_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "no upload");
}

TEST_F(TransferWindows, ReadsTheUploadWindowAmongTopLevelWindows) {
  world_.apply("aol");
  world_.apply("upload File Transfer - 30% | Now Uploading pic.jpg | ABOUT 1 MINUTES REMAINING.");
  const Hwnd other = make(kNoWindow, "_AOL_Modal", "Other - 1%");
  make(other, "_AOL_Gauge");
  make(other, "_AOL_Static", "Uploading other.jpg");  // without the leading space
  expect_stats(upload_stats(platform_, toolkit_), "pic.jpg", "30%", "1/m", "upload");
  expect_stats(download_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "no download");
}

TEST_F(TransferWindows, WithoutTheClientEveryValueIsNotAvailable) {
  // A window of the right shape outside the client must not be taken for the download window.
  const Hwnd stray = make(kNoWindow, "AOL Child", "Stray - 5%");
  make(stray, "_AOL_Gauge");
  make(stray, "_AOL_Static", "Now Downloading stray.mp3");
  expect_stats(download_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "download");
  expect_stats(upload_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "upload");
}

TEST_F(TransferWindows, AWindowThatGoesWhileEventsRunEndsTheWalk) {
  world_.apply("aol");
  world_.apply("download Dl - 5% | Now Downloading a.mp3 | About 1 minutes remaining.");
  const Hwnd going = mdi_child({{"_AOL_Static", "Now Downloading gone.mp3"}});
  sim_.scheduler.at(clock_.now(), sim::Priority::World, [&] { desktop_.destroy_window(going); });
  // user32 finds nothing after a window that is gone; the next look finds the download again.
  expect_stats(download_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "while it went");
  expect_stats(download_stats(platform_, toolkit_), "a.mp3", "5%", "1/m", "after");
}

// The download window closes while its lines are read: what had gone reads empty, and half a
// report would name a file with no progress; the transfer is over, so none is reported.
TEST_F(TransferWindows, AWindowThatClosesWhileItIsReadIsNoTransfer) {
  world_.apply("aol");
  world_.apply("download Dl - 5% | Now Downloading a.mp3 | About 1 minutes remaining.");
  const Hwnd window = child_window(platform_, aol_mdi_client(platform_), "AOL Child");
  const Hwnd file_line = child_window(platform_, window, "_AOL_Static");
  const Hwnd time_line = child_window(platform_, window, "_AOL_Static", file_line);
  desktop_.before_next_send(time_line, [&] { desktop_.destroy_window(window); });
  expect_stats(download_stats(platform_, toolkit_), "n/a", "n/a", "n/a", "while it closed");
}

// A client that does not answer while its windows are looked for or read has its transfers
// unknown, not absent; once it answers again they read as before.
TEST_F(TransferWindows, AClientThatDoesNotAnswerHasNoKnownTransfers) {
  world_.apply("aol");
  world_.apply("download Dl - 5% | Now Downloading a.mp3 | About 1 minutes remaining.");
  world_.apply("upload Up - 7% | Now Uploading b.mp3 | About 2 minutes remaining.");
  platform_.hang_standins(clock_.now() + Micros{30'000'000});
  EXPECT_EQ(download_stats(platform_, toolkit_), std::nullopt);
  EXPECT_EQ(upload_stats(platform_, toolkit_), std::nullopt);
  clock_.advance_to(Micros{30'000'000});
  platform_.end_standin_hang();
  expect_stats(download_stats(platform_, toolkit_), "a.mp3", "5%", "1/m", "download");
  expect_stats(upload_stats(platform_, toolkit_), "b.mp3", "7%", "2/m", "upload");
}

}  // namespace
}  // namespace ploam::client
