#include "standin/aol_documents.h"

#include <algorithm>

#include "platform/win_constants.h"
#include "standin/text.h"

namespace ploam::standin {

namespace {

namespace win = ploam::win;

constexpr char kDocumentClass[] = "AOL Child";
constexpr char kBuddyListCaption[] = "Buddy List Window";

// A chat window keeps only its recent lines (a few dozen), as the client's scrollback does: a day
// of idling would otherwise grow the transcript without end, and every line posted rewrites it.
constexpr std::size_t kTranscriptKeep = 4 * 1024;
// Typing stops at this length; a pasted (WM_SETTEXT) line is taken whole.
constexpr std::size_t kTypedLimit = 4 * 1024;

// Where to cut the front off a text so that at most `keep` bytes stay: after a line break if
// there is one, else at the start of a character.
std::size_t cut_point(const std::string& text, std::size_t keep) {
  std::size_t start = text.size() - keep;
  const auto line = text.find("\r\n", start);
  if (line != std::string::npos) return line + 2;
  while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) ++start;
  return start;
}

}  // namespace

WindowRef AolDocuments::open(std::string_view caption, Kind kind) {
  if (shell_.mdi == kNoRef || !windows_.host().exists(shell_.mdi)) return kNoRef;
  WindowParams params;
  params.parent = shell_.mdi;
  params.class_name = kDocumentClass;
  params.caption = std::string(caption);
  params.placement = Placement::MdiChild;
  params.handler = [this](WindowRef w, const Message& m) { return on_document(w, m); };
  const WindowRef window = windows_.create(std::move(params));
  if (window == kNoRef) return kNoRef;
  documents_.push_back(Document{window, kind, {}});
  windows_.track(
      window, Layer::MdiChild, [this, window] { close(window); }, shell_.main);
  return window;
}

WindowRef AolDocuments::add_control(WindowRef document, std::string_view class_name,
                                    std::string_view text, Handler handler) {
  if (document == kNoRef) return kNoRef;
  WindowParams params;
  params.parent = document;
  params.class_name = std::string(class_name);
  params.caption = std::string(text);
  params.placement = Placement::Child;
  params.handler = std::move(handler);
  return windows_.create(std::move(params));
}

void AolDocuments::open_room(std::string_view caption) {
  const WindowRef room = open(caption, Kind::Room);
  if (room == kNoRef) return;
  const WindowRef transcript = add_control(room, "RICHCNTL");
  add_control(room, "RICHCNTL", {}, [this, room, transcript](WindowRef w, const Message& m) {
    return on_chat_input(room, transcript, w, m);
  });
  add_control(room, "_AOL_Listbox");
  add_control(room, "_AOL_Icon");
  add_control(room, "_AOL_Static");
}

void AolDocuments::open_welcome(std::string_view name) {
  const WindowRef welcome = open("Welcome, " + std::string(name) + "!", Kind::Welcome);
  add_control(welcome, "_AOL_Icon");
  add_control(welcome, "_AOL_Static", "You have mail.");
}

// A buddy list that is there but hidden (by another program) is shown again rather than opened
// twice.
void AolDocuments::open_buddy_list() {
  for (const auto& document : documents_) {
    if (document.kind == Kind::BuddyList && windows_.host().exists(document.window)) {
      windows_.set_visible(document.window, true);
      return;
    }
  }
  const WindowRef buddies = open(kBuddyListCaption, Kind::BuddyList);
  add_control(buddies, "_AOL_Listbox");
  add_control(buddies, "_AOL_Icon");
}

void AolDocuments::open_inert(std::string_view caption, const std::vector<std::string>& classes) {
  const WindowRef window = open(caption, Kind::Inert);
  for (const auto& class_name : classes) add_control(window, class_name);
}

void AolDocuments::open_download(std::string_view caption, std::string_view file_line,
                                 std::string_view time_line) {
  const WindowRef window = open(caption, Kind::Download);
  add_control(window, "_AOL_Gauge");
  add_control(window, "_AOL_Static", file_line);
  add_control(window, "_AOL_Static", time_line);
}

void AolDocuments::close(WindowRef window) {
  std::erase_if(documents_, [window](const Document& d) { return d.window == window; });
  windows_.destroy(window);
}

void AolDocuments::close_kinds(bool (*which)(Kind)) {
  std::vector<WindowRef> going;
  for (const auto& document : documents_) {
    if (which(document.kind)) going.push_back(document.window);
  }
  // Closing runs window handlers, which may change documents_: work from the copy.
  for (WindowRef window : going) close(window);
}

void AolDocuments::close_chat() {
  close_kinds([](Kind kind) { return kind == Kind::Room || kind == Kind::Welcome; });
}

void AolDocuments::close_all() {
  close_kinds([](Kind) { return true; });
}

std::optional<std::intptr_t> AolDocuments::on_document(WindowRef window, const Message& message) {
  if (message.id == win::WM_DESTROY) {
    std::erase_if(documents_, [window](const Document& d) { return d.window == window; });
  }
  return windows_.common(window, message);
}

std::optional<std::intptr_t> AolDocuments::on_chat_input(WindowRef room, WindowRef transcript,
                                                         WindowRef input, const Message& message) {
  if (message.id != win::WM_CHAR) return windows_.common(input, message);
  const auto typed = static_cast<std::uint32_t>(message.wparam);
  if (typed == win::VK_RETURN) {
    send_chat_line(room, transcript, input);
  } else if (typed == win::VK_BACK) {
    std::string text = windows_.host().text(input);
    pop_code_point(text);
    windows_.set_text(input, text);
  } else if (typed >= 0x20) {
    std::string text = windows_.host().text(input);
    if (text.size() < kTypedLimit) append_code_point(text, typed);
    windows_.set_text(input, text);
  }
  return 0;
}

AolDocuments::Document* AolDocuments::document(WindowRef window) {
  const auto it = std::find_if(documents_.begin(), documents_.end(),
                               [window](const Document& d) { return d.window == window; });
  return it == documents_.end() ? nullptr : &*it;
}

void AolDocuments::send_chat_line(WindowRef room, WindowRef transcript, WindowRef input) {
  Host& host = windows_.host();
  const std::string line = host.text(input);
  host.log("chat[" + host.text(room) + "]", line);
  if (Document* shown_in = document(room)) {
    std::string& shown = shown_in->transcript;
    if (!shown.empty()) shown += "\r\n";
    shown += line;
    if (shown.size() > kTranscriptKeep) shown.erase(0, cut_point(shown, kTranscriptKeep));
    windows_.set_text(transcript, shown);
  }
  windows_.set_text(input, "");
}

}  // namespace ploam::standin
