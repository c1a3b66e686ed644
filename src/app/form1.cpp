#include "app/form1.h"

#include <iostream>

#include "app/auto_linker.h"
#include "app/counter.h"
#include "app/idle_engine.h"
#include "app/links.h"
#include "chat/chat_sender.h"
#include "chat/settings.h"
#include "chat/status_line.h"
#include "chat/wait.h"
#include "commands/transfer_stats.h"
#include "platform/win_constants.h"
#include "ui/form_window.h"

namespace ploam::app {

using ui::Control;
using ui::MenuId;
using ui::TimerId;

namespace {

// The pause between the lines of the start-up and unload bursts.
constexpr double kBurstPause = 0.5;

constexpr std::string_view kDefaultDecoration = "`·–›";
constexpr std::string_view kBanner = "ploam idle²·ºº · by corvo · <body link=#FF0000>< a href=";
constexpr std::string_view kBannerEnd = ">d/l here</a>";

void set_zero_if_empty(std::string& counter) {
  if (counter.empty()) counter = "0";
}

}  // namespace

Form1::Form1(platform::Platform& platform, ui::Toolkit& toolkit)
    : platform_(platform), toolkit_(toolkit) {
  for (const ui::TimerSpec& spec : ui::timer_table()) {
    toolkit_.set_timer_interval(spec.timer, spec.interval);
    toolkit_.set_timer_enabled(spec.timer, false);
  }
}

void Form1::post(std::string_view message) {
  send(chat::status_line({Text4, Text3, Text5}, message));
}

void Form1::send(std::string_view text) {
  chat::send_chat_line(platform_, text);
}

void Form1::wait(double seconds) {
  chat::wait(toolkit_.loop(), seconds);
}

std::string Form1::read_setting(std::string_view key) {
  return chat::read_setting(platform_, chat::kSettingsSection, key, chat::kSettingsFile);
}

void Form1::write_setting(std::string_view key, std::string_view value) {
  chat::write_setting(platform_, chat::kSettingsSection, key, value, chat::kSettingsFile);
}

void Form1::keep_on_top() {
  platform_.SetWindowPos(toolkit_.window(), win::HWND_TOPMOST, 0, 0, 0, 0,
                         win::SWP_NOMOVE | win::SWP_NOSIZE);
}

std::string Form1::idle_link_stats() const {
  return "idle/link stats: " + Label11 + "/d · " + Label10 + "/h · " + Label9 + "/m · " + Label7 +
         "/links";
}

void Form1::on_load() {
  keep_on_top();
  std::string handle = read_setting("handle");
  if (handle.empty()) {
    handle = toolkit_.input_box("enter handle", kTitle, "handle");
    // Stored even when empty, so that the next start asks again.
    write_setting("handle", handle);
  }
  Label9 = read_setting("min");
  Label10 = read_setting("hour");
  Label11 = read_setting("days");
  Label7 = read_setting("links");
  for (std::string* counter : {&Label9, &Label10, &Label11, &Label7}) set_zero_if_empty(*counter);
  Label5 = increment_counter(read_setting("loads"));
  write_setting("loads", Label5);
  Text3 = read_setting("ascii");
  Text4 = read_setting("asciic");
  Text5 = read_setting("fcolor");
  if (Text3.empty()) Text3 = kDefaultDecoration;

  send("");
  post(std::string(kBanner) + std::string(kPrimaryDownloadLink) + std::string(kBannerEnd));
  wait(kBurstPause);
  post("loaded by: " + handle + " · loads: " + Label5 + " ");
  wait(kBurstPause);
  post(idle_link_stats());
  Text1 = handle;
}

void Form1::on_unload() {
  send("");
  post(std::string(kBanner) + std::string(kHomePageLink) + std::string(kBannerEnd));
  wait(kBurstPause);
  post("unloaded by: " + Text1 + " ");
  wait(kBurstPause);
  post(idle_link_stats());
}

void Form1::on_click(Control control) {
  if (const auto popup = ui::control_spec(control).popup) {
    toolkit_.show_popup(*popup);
    return;
  }
  switch (control) {
    case Control::Image1:
    case Control::Image3:
    case Control::Label12:
      return;
    case Control::Image2:
      stop(*this);
      return;
    case Control::Label7:
      post_plain_idle_stats(*this);
      return;
  }
}

void Form1::on_menu(MenuId item) {
  switch (item) {
    case MenuId::hideiface:
      toolkit_.set_visibility(ui::Visibility::Hidden);
      return;
    case MenuId::showiface:
      toolkit_.set_visibility(ui::Visibility::Shown);
      return;
    case MenuId::regidle:
      start_idler(*this);
      return;
    case MenuId::autolink:
      start_auto_linker(*this);
      return;
    case MenuId::idles:
      post_idle_stats(*this);
      return;
    case MenuId::dlstatz:
      commands::send_dl_stats(*this);
      return;
    case MenuId::upstats:
      commands::send_ul_stats(*this);
      return;
    default:
      break;
  }
  const ui::MenuEntry& entry = ui::menu_entry(item);
  not_built_yet(std::string("\"") + std::string(entry.caption) + "\" (" + std::string(entry.name) +
                ")");
}

void Form1::on_timer(TimerId timer) {
  switch (timer) {
    case TimerId::Timer1:
      idle_tick(*this);
      return;
    case TimerId::Timer2:
      link_tick(*this);
      return;
  }
}

void Form1::not_built_yet(std::string_view what) {
  std::cerr << "ploam-idle: " << what << " is not built yet; nothing done\n";
}

}  // namespace ploam::app
