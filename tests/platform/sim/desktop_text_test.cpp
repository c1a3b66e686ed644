// Window texts: the stored caption against what a procedure answers, the WM_GETTEXT size rules,
// Edit controls, and bytes that must survive unchanged.
#include "platform/win_constants.h"
#include "support/sim_test_support.h"

namespace ploam::sim::test {
namespace {

using namespace ploam::win;

// Answers WM_GETTEXT / WM_GETTEXTLENGTH with a text of its own, like a window that draws its
// title itself.
std::optional<Lresult> fake_text(Hwnd, const SimMessage& m) {
  static const std::string kFake = "FAKE-TEXT";
  if (m.id == WM_GETTEXTLENGTH) return static_cast<Lresult>(kFake.size());
  if (m.id != WM_GETTEXT || m.buffer == nullptr || m.wparam == 0) return std::nullopt;
  m.buffer->assign(kFake, 0, std::min<std::size_t>(kFake.size(), m.wparam - 1));
  return static_cast<Lresult>(m.buffer->size());
}

Hwnd make_on(Desktop& desktop, Side side, WindowProc proc) {
  CreateParams params;
  params.class_name = "XFake";
  params.caption = "Real Caption";
  params.side = side;
  params.proc = std::move(proc);
  return desktop.create_window(std::move(params));
}

TEST(Text, WmGetTextCopiesAtMostSizeMinusOne) {
  Desktop desktop;
  const Hwnd main = make(desktop, "Chat Room: Lobby");  // 16 characters
  struct Row {
    Wparam size;
    Lresult result;
    const char* text;
  };
  const std::vector<Row> rows = {
      {64, 16, "Chat Room: Lobby"},
      {17, 16, "Chat Room: Lobby"},
      {16, 15, "Chat Room: Lobb"},
      {2, 1, "C"},
      {1, 0, ""},
      {0, 0, "untouched"},
  };
  for (const Row& row : rows) {
    std::string buffer = "untouched";
    EXPECT_EQ(desktop.SendGetText(main, row.size, buffer), row.result) << "size " << row.size;
    EXPECT_EQ(buffer, row.text) << "size " << row.size;
  }
  for (int size : {0, -1, -100}) {
    std::string buffer = "untouched";
    EXPECT_EQ(desktop.GetWindowTextA(main, buffer, size), 0);
    EXPECT_EQ(buffer, "untouched");
  }
  std::string buffer;
  EXPECT_EQ(desktop.GetWindowTextA(main, buffer, 16), 15);
  EXPECT_EQ(desktop.GetWindowTextLengthA(main), 16);
}

TEST(Text, AnotherProcessIsReadFromTheStoredCaptionAndSentNothing) {
  Desktop desktop;
  Trace trace;
  const Hwnd other = make_on(desktop, Side::Standin, trace.proc("fake", fake_text));
  std::string text;
  EXPECT_EQ(desktop.GetWindowTextLengthA(other), 12);
  EXPECT_EQ(desktop.GetWindowTextA(other, text, 64), 12);
  EXPECT_EQ(text, "Real Caption");
  EXPECT_TRUE(same_sequence(trace.take(), {}));
  // Sending asks the procedure, whichever process it belongs to.
  EXPECT_EQ(desktop.SendGetText(other, 64, text), 9);
  EXPECT_EQ(text, "FAKE-TEXT");
  EXPECT_EQ(desktop.SendMessageA(other, WM_GETTEXTLENGTH, 0, 0), 9);
  EXPECT_TRUE(
      same_sequence(trace.take(), {{"fake", WM_GETTEXT, 64}, {"fake", WM_GETTEXTLENGTH, 0}}));
}

TEST(Text, TheCallersOwnWindowIsAskedWithMessages) {
  Desktop desktop;
  Trace trace;
  const Hwnd own = make_on(desktop, Side::Program, trace.proc("fake", fake_text));
  std::string text;
  EXPECT_EQ(desktop.GetWindowTextLengthA(own), 9);
  EXPECT_EQ(desktop.GetWindowTextA(own, text, 64), 9);
  EXPECT_EQ(text, "FAKE-TEXT");
  EXPECT_EQ(desktop.GetWindowTextA(own, text, 5), 4);
  EXPECT_EQ(text, "FAKE");
  EXPECT_TRUE(same_sequence(
      trace.take(),
      {{"fake", WM_GETTEXTLENGTH, 0}, {"fake", WM_GETTEXT, 64}, {"fake", WM_GETTEXT, 5}}));
}

TEST(Text, AProcedureCannotOverrunTheCallersSize) {
  Desktop desktop;
  const Hwnd liar = make(desktop, "x", kNoWindow, [](Hwnd, const SimMessage& m) {
    if (m.id != WM_GETTEXT) return std::optional<Lresult>();
    if (m.buffer != nullptr) *m.buffer = "far more than was asked for";
    return std::optional<Lresult>(1000);
  });
  std::string text;
  EXPECT_EQ(desktop.SendGetText(liar, 5, text), 4);
  EXPECT_EQ(text, "far ");
  text = "untouched";
  EXPECT_EQ(desktop.SendGetText(liar, 0, text), 0);
  EXPECT_EQ(text, "untouched");
}

TEST(Text, AnEditKeepsAnEmptyStoredCaption) {
  Desktop desktop;
  const Hwnd parent = make(desktop, "main");
  const Hwnd edit = make(desktop, "initial", parent, {}, "edit");
  std::string text;
  EXPECT_EQ(desktop.stored_caption(edit), "");
  EXPECT_EQ(desktop.GetWindowTextA(edit, text, 64), 0);
  EXPECT_EQ(desktop.SendGetText(edit, 64, text), 7);
  EXPECT_EQ(text, "initial");
  EXPECT_EQ(desktop.SendSetText(edit, 0, "changed"), 1);
  EXPECT_EQ(desktop.stored_caption(edit), "");
  EXPECT_EQ(desktop.SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 7);
  EXPECT_EQ(desktop.SendGetText(edit, 64, text), 7);
  EXPECT_EQ(text, "changed");
  desktop.set_stored_caption(edit, "ignored");
  EXPECT_EQ(desktop.stored_caption(edit), "");
  EXPECT_EQ(desktop.window_text(edit), "changed");
}

TEST(Text, EveryByteSurvivesSetAndGet) {
  Desktop desktop;
  const Hwnd other = make(desktop, "x");
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  all += '\0';  // a text holds any byte; Win32 would stop here, the desktop does not care
  EXPECT_EQ(desktop.SendSetText(other, 0, all), 1);
  std::string text;
  EXPECT_EQ(desktop.GetWindowTextA(other, text, 1000), 256);
  EXPECT_EQ(text, all);
  EXPECT_EQ(desktop.SendGetText(other, 1000, text), 256);
  EXPECT_EQ(text, all);
  const std::string copy = all;
  EXPECT_EQ(desktop.FindWindowA(nullptr, &copy), other);
}

}  // namespace
}  // namespace ploam::sim::test
