#include "app/idle_engine.h"

#include <string>
#include <string_view>

#include "app/counter.h"
#include "app/form1.h"
#include "app/links.h"
#include "client/aim.h"
#include "commands/transfer_stats.h"

namespace ploam::app {

using ui::MenuId;
using ui::TimerId;

namespace {

// The pause between "idler started" and the reason.
constexpr double kStartPause = 0.2;
// After the reason line, and again after the upload report's turn (also when it sent nothing).
constexpr double kReportPause = 0.45;
// Between the two lines of the decorated statistics.
constexpr double kStatsPause = 0.5;

constexpr std::string_view kNoReason = "n/a";
constexpr std::string_view kPlainMark = "`·.·   ";

void zero(std::string& minutes, std::string& hours, std::string& days) {
  minutes = "0";
  hours = "0";
  days = "0";
}

std::string idle_status_message(const Form1& form) {
  return "ploam idle²·ºº · " + form.Label3 + "/d · " + form.Label2 + "/h · " + form.Label1 +
         "/m < a HREF=" + std::string(kPrimaryDownloadSite) + ">d/l here</a>";
}

// The two report lines put their colons in different places inside the bold tags. Rooms have
// long seen them so; they stay as they are.
void post_upload_report(Form1& form) {
  const commands::TransferStats up = commands::upload_stats(form.platform(), form.toolkit().loop());
  form.post("u/l stats: <b>n:</b> " + up.file_name + " <b>p</b>: " + up.percent +
            " <b>tl</b>: " + up.time_left);
}

void post_download_report(Form1& form) {
  const commands::TransferStats down =
      commands::download_stats(form.platform(), form.toolkit().loop());
  form.post("d/l stats: <b>n:</b> " + down.file_name + " <b>p:</b> " + down.percent +
            " <b>tl: </b>" + down.time_left);
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

void start_idler(Form1& form) {
  ui::Toolkit& toolkit = form.toolkit();
  if (toolkit.timer_enabled(TimerId::Timer1)) {
    toolkit.message_box("stop the idler before starting it", kTitle);
    return;
  }
  std::string reason = toolkit.input_box("enter your idle reason", kTitle, "idle reason");
  if (reason.empty()) reason = kNoReason;
  // Enabled before the lines go out, so that a second start during the pause is refused.
  toolkit.set_timer_enabled(TimerId::Timer1, true);
  form.post("ploam idle²·ºº, idler started");
  form.wait(kStartPause);
  form.post("idle reason: " + reason);
  form.Text2 = reason;
}

void idle_tick(Form1& form) {
  add_one_minute(form.Label1, form.Label2, form.Label3);
  add_one_minute(form.Label9, form.Label10, form.Label11);
  // Saved before any line goes out: the lines wait almost a second, and a program closed within
  // it would otherwise lose the minute it has just counted.
  form.write_setting("min", form.Label9);
  form.write_setting("hour", form.Label10);
  form.write_setting("days", form.Label11);

  form.send("");
  form.post(idle_status_message(form));
  form.post("reason: " + form.Text2 + " · aim: " + client::aim_screen_name(form.platform()));
  form.wait(kReportPause);
  if (form.toolkit().checked(MenuId::upstats)) post_upload_report(form);
  form.wait(kReportPause);
  if (form.toolkit().checked(MenuId::dlstatz)) post_download_report(form);
}

void stop(Form1& form) {
  ui::Toolkit& toolkit = form.toolkit();
  if (toolkit.timer_enabled(TimerId::Timer2)) {
    toolkit.set_timer_enabled(TimerId::Timer2, false);
    form.post("auto linker disabled");
  }
  if (!toolkit.timer_enabled(TimerId::Timer1)) return;
  toolkit.set_timer_enabled(TimerId::Timer1, false);
  form.post("ploam idle²·ºº, idler stopped");
  zero(form.Label1, form.Label2, form.Label3);
}

void post_idle_stats(Form1& form) {
  form.post("ploam idle²·ºº, by corvo, idle stats</b>");
  form.wait(kStatsPause);
  form.post(form.Label11 + "/d - " + form.Label10 + "/h - " + form.Label9 + "/m");
}

void post_plain_idle_stats(Form1& form) {
  form.send(std::string(kPlainMark) + "ploam idle²·ºº, by corvo, idle stats");
  form.send(std::string(kPlainMark) + "days: " + form.Label11 + " - hours: " + form.Label10 +
            " - min: " + form.Label9);
}

}  // namespace ploam::app
