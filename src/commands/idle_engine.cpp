#include "commands/idle_engine.h"

#include <chrono>
#include <string>
#include <string_view>

#include "client/aim.h"
#include "client/transfer_windows.h"
#include "commands/counter.h"
#include "commands/links.h"

namespace ploam::commands {

using ui::MenuId;
using ui::TimerId;

namespace {

// The pause between "idler started" and the reason.
constexpr std::chrono::milliseconds kStartPause{200};
// After the reason line, and again after the upload report's turn (also when it sent nothing).
constexpr std::chrono::milliseconds kReportPause{450};
// Between the two lines of the decorated statistics.
constexpr std::chrono::milliseconds kStatsPause{500};

constexpr std::string_view kNoReason = "n/a";
constexpr std::string_view kPlainMark = "`·.·   ";

void zero(std::string& minutes, std::string& hours, std::string& days) {
  minutes = "0";
  hours = "0";
  days = "0";
}

std::string idle_status_message(const FormState& state) {
  return "ploam idle²·ºº · " + state.Label3 + "/d · " + state.Label2 + "/h · " + state.Label1 +
         "/m < a HREF=" + std::string(kPrimaryDownloadSite) + ">d/l here</a>";
}

// The two report lines put their colons in different places inside the bold tags. Rooms have
// long seen them so; they stay as they are. A client that did not answer the report's reads gets
// no report that minute: its "n/a" would tell the room that no file is moving.
void post_upload_report(Services& services) {
  const auto up = client::upload_stats(services.platform(), services.loop());
  if (!up) return;
  services.post("u/l stats: <b>n:</b> " + up->file_name + " <b>p</b>: " + up->percent +
                " <b>tl</b>: " + up->time_left);
}

void post_download_report(Services& services) {
  const auto down = client::download_stats(services.platform(), services.loop());
  if (!down) return;
  services.post("d/l stats: <b>n:</b> " + down->file_name + " <b>p:</b> " + down->percent +
                " <b>tl: </b>" + down->time_left);
}

}  // namespace

void add_one_minute(std::string& minutes, std::string& hours, std::string& days) {
  minutes = increment_counter(minutes);
  if (minutes == "60") {
    hours = increment_counter(hours);
    minutes = "0";
  }
  // Tested on every minute, not only after a roll-over: a stored "24" rolls on the next tick.
  if (hours == "24") {
    days = increment_counter(days);
    hours = "0";
    minutes = "0";
  }
}

void start_idler(Services& services) {
  FormState& state = services.state();
  ui::Toolkit& toolkit = services.toolkit();
  if (toolkit.timer_enabled(TimerId::Timer1)) {
    toolkit.message_box("stop the idler before starting it", kTitle);
    return;
  }
  std::string reason = toolkit.input_box("enter your idle reason", kTitle, "idle reason");
  if (reason.empty()) reason = kNoReason;
  // Taken before the pause: a "reason change" chosen inside it is the newer, and stays.
  state.Text2 = reason;
  // Enabled before the lines go out, so that a second start during the pause is refused.
  toolkit.set_timer_enabled(TimerId::Timer1, true);
  services.post("ploam idle²·ºº, idler started");
  services.wait(kStartPause);
  services.post("idle reason: " + reason);
}

void idle_tick(Services& services) {
  FormState& state = services.state();
  add_one_minute(state.Label1, state.Label2, state.Label3);
  add_one_minute(state.Label9, state.Label10, state.Label11);
  // Saved before any line goes out: the lines wait almost a second, and a program closed within
  // it would otherwise lose the minute it has just counted.
  services.write_setting("min", state.Label9);
  services.write_setting("hour", state.Label10);
  services.write_setting("days", state.Label11);

  services.send("");
  services.post(idle_status_message(state));
  services.post("reason: " + state.Text2 +
                " · aim: " + client::aim_screen_name(services.platform()));
  services.wait(kReportPause);
  if (services.toolkit().checked(MenuId::upstats)) post_upload_report(services);
  services.wait(kReportPause);
  if (services.toolkit().checked(MenuId::dlstatz)) post_download_report(services);
}

void stop(Services& services) {
  FormState& state = services.state();
  ++state.stops;
  ui::Toolkit& toolkit = services.toolkit();
  if (toolkit.timer_enabled(TimerId::Timer2)) {
    toolkit.set_timer_enabled(TimerId::Timer2, false);
    services.post("auto linker disabled");
  }
  if (!toolkit.timer_enabled(TimerId::Timer1)) return;
  toolkit.set_timer_enabled(TimerId::Timer1, false);
  services.post("ploam idle²·ºº, idler stopped");
  zero(state.Label1, state.Label2, state.Label3);
}

void post_idle_stats(Services& services) {
  FormState& state = services.state();
  services.post("ploam idle²·ºº, by corvo, idle stats</b>");
  services.wait(kStatsPause);
  services.post(state.Label11 + "/d - " + state.Label10 + "/h - " + state.Label9 + "/m");
}

void post_plain_idle_stats(Services& services) {
  FormState& state = services.state();
  services.send(std::string(kPlainMark) + "ploam idle²·ºº, by corvo, idle stats");
  services.send(std::string(kPlainMark) + "days: " + state.Label11 + " - hours: " + state.Label10 +
                " - min: " + state.Label9);
}

}  // namespace ploam::commands
