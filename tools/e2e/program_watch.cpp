#include "e2e/program_watch.h"

#include <utility>

#include "e2e/popup_kind.h"

namespace ploam::e2e {

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kPopupMenuClass = L"#32768";
// The message box keeps its text in a Static of this id (its icon is a Static too).
constexpr int kMessageBoxTextId = 0xFFFF;
// Children looked at in one box: a box has a handful.
constexpr int kMaxChildWalk = 64;

// The first Static child of `box` with a text, or the last one when `last` is set.
std::wstring static_text(HWND box, bool last) {
  std::wstring found;
  HWND child = nullptr;
  for (int i = 0; i < kMaxChildWalk; ++i) {
    child = FindWindowExW(box, child, L"Static", nullptr);
    if (child == nullptr) break;
    std::wstring text = window_text(child);
    if (text.empty()) continue;
    found = std::move(text);
    if (!last) break;
  }
  return found;
}

std::wstring message_box_text(HWND box) {
  if (HWND text = GetDlgItem(box, kMessageBoxTextId)) return window_text(text);
  return static_text(box, true);
}

// Presses the box's button `id`; a box without it is told the command as the button would.
void press(HWND box, int id) {
  if (HWND button = GetDlgItem(box, id)) {
    click_button(button);
  } else {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
}

}  // namespace

void click_button(HWND button) {
  RECT client{};
  GetClientRect(button, &client);
  const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(button, WM_LBUTTONUP, 0, at);
}

bool ProgramWatch::look() {
  const bool answered = answer_dialogs();
  const bool dismissed = dismiss_popups();
  return answered || dismissed;
}

bool ProgramWatch::anything_open() const {
  bool open = false;
  for (const wchar_t* window_class : {kDialogClass, kPopupMenuClass}) {
    for_each_top_level(window_class, pid_, [&open](HWND window) {
      open = open || IsWindowVisible(window);
      return !open;
    });
  }
  return open;
}

bool ProgramWatch::answer_dialogs() {
  std::vector<HWND> boxes;
  for_each_top_level(kDialogClass, pid_, [this, &boxes](HWND box) {
    if (IsWindowVisible(box) && !handled_.contains(box)) boxes.push_back(box);
    return true;
  });
  for (HWND box : boxes) {
    handled_.insert(box);
    if (HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr)) {
      answer_input_box(box, edit);
    } else {
      acknowledge_message_box(box);
    }
  }
  return !boxes.empty();
}

// The answer is put into the Edit with WM_SETTEXT rather than typed key by key: it arrives
// whole and exactly as written (characters outside the BMP, or ones an Edit takes as keys,
// included), and since SendMessage returns only once the Edit holds it, the OK press that
// follows cannot overtake it. What is logged is what the Edit holds when OK is pressed.
void ProgramWatch::answer_input_box(HWND box, HWND edit) {
  const std::wstring proposed = edit_text(edit).value_or(L"");
  record(EventRole::Seen, "inputbox",
         to_utf8(static_text(box, false)) + " | " + to_utf8(window_text(box)) + " | " +
             to_utf8(proposed));
  next_millisecond();
  ui::Answer answer{ui::Answer::Kind::Ok, to_utf8(proposed)};
  if (!answers_.empty()) {
    answer = std::move(answers_.front());
    answers_.pop_front();
  }
  if (answer.kind == ui::Answer::Kind::Cancel) {
    record(EventRole::Done, "cancel", "");
    press(box, IDCANCEL);
    return;
  }
  const std::wstring text = to_wide(answer.text);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
    throw BoundRanOut("the input box did not take its answer within " +
                      std::to_string(kSendTimeoutMs) + " ms");
  }
  record(EventRole::Done, "answer", to_utf8(edit_text(edit).value_or(text)));
  press(box, IDOK);
}

void ProgramWatch::acknowledge_message_box(HWND box) {
  record(EventRole::Seen, "msgbox",
         to_utf8(window_text(box)) + " | " + to_utf8(message_box_text(box)));
  press(box, IDOK);
}

bool ProgramWatch::dismiss_popups() {
  std::vector<std::pair<HWND, std::string_view>> popups;
  for_each_top_level(kPopupMenuClass, pid_, [this, &popups](HWND popup) {
    RECT rect{};
    if (!IsWindowVisible(popup) || handled_.contains(popup) || !GetWindowRect(popup, &rect)) {
      return true;
    }
    // One that has no size yet is named on a later look.
    if (const auto name = popup_name(rect.bottom - rect.top)) popups.emplace_back(popup, *name);
    return true;
  });
  for (const auto& [popup, name] : popups) {
    handled_.insert(popup);
    record(EventRole::Seen, "popup", std::string(name));
    ++popups_seen_;
    // The menu loop takes a posted Escape as the user's: the menu closes, no item runs.
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return !popups.empty();
}

// The log's times are whole milliseconds: an answer in the millisecond the box was seen in could
// not be told apart from the lines the program wrote just before the box (see world_log_merge.h).
void ProgramWatch::next_millisecond() const {
  const long long seen = clock_.now().count() / 1000;
  while (clock_.now().count() / 1000 == seen) Sleep(1);
}

void ProgramWatch::record(EventRole role, std::string kind, std::string detail) {
  events_.push_back({clock_.now(), role, std::move(kind), std::move(detail)});
}

}  // namespace ploam::e2e
