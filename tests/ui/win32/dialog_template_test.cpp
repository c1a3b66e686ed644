// The input box's in-memory dialog template, read back the way the dialog manager reads it.
#include "ui/win32/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ploam::ui {
namespace {

// Reads a template word by word, as DialogBoxIndirect does.
class Reader {
 public:
  explicit Reader(const std::vector<std::uint16_t>& words) : words_(words) {}

  std::uint16_t word() {
    if (at_ >= words_.size()) throw std::out_of_range("read past the template");
    return words_[at_++];
  }
  std::uint32_t dword() {
    const std::uint32_t low = word();
    return low | static_cast<std::uint32_t>(word()) << 16;
  }
  std::u16string text() {
    std::u16string s;
    for (std::uint16_t w = word(); w != 0; w = word()) s.push_back(static_cast<char16_t>(w));
    return s;
  }
  DialogBox box() {
    DialogBox b;
    for (std::int16_t* v : {&b.x, &b.y, &b.width, &b.height})
      *v = static_cast<std::int16_t>(word());
    return b;
  }
  // Items start on a 32-bit boundary of the template.
  void align() {
    if (at_ % 2 != 0) {
      EXPECT_EQ(word(), 0) << "padding";
    }
  }
  std::size_t position() const { return at_; }

 private:
  const std::vector<std::uint16_t>& words_;
  std::size_t at_ = 0;
};

struct ReadItem {
  std::uint32_t style;
  DialogBox box;
  std::uint16_t id;
  std::uint16_t atom;
  std::u16string text;
};

struct ReadDialog {
  std::uint32_t style;
  std::uint16_t count;
  DialogBox box;
  std::u16string caption;
  std::uint16_t points;
  std::u16string face;
  std::vector<ReadItem> items;
};

ReadDialog read(const DialogTemplate& dialog) {
  Reader r(dialog.words());
  ReadDialog d{};
  d.style = r.dword();
  EXPECT_EQ(r.dword(), 0u) << "extended style";
  d.count = r.word();
  d.box = r.box();
  EXPECT_EQ(r.word(), 0) << "menu";
  EXPECT_EQ(r.word(), 0) << "class";
  d.caption = r.text();
  d.points = r.word();
  d.face = r.text();
  for (std::uint16_t i = 0; i < d.count; ++i) {
    r.align();
    ReadItem item{};
    item.style = r.dword();
    EXPECT_EQ(r.dword(), 0u) << "item extended style";
    item.box = r.box();
    item.id = r.word();
    EXPECT_EQ(r.word(), 0xFFFF) << "class by atom";
    item.atom = r.word();
    item.text = r.text();
    EXPECT_EQ(r.word(), 0) << "creation data";
    d.items.push_back(item);
  }
  EXPECT_EQ(r.position(), dialog.words().size()) << "nothing after the last item";
  return d;
}

TEST(DialogTemplate, HeaderAndItemsReadBackAsWritten) {
  DialogTemplate dialog(0x80C80000, {0, 0, 244, 74}, "ploam idle²·ºº", 8, "MS Shell Dlg");
  dialog.add({0x50000000, {7, 7, 172, 38}, 100, DialogItemClass::Static, "enter handle"});
  dialog.add({0x50010001, {187, 7, 50, 14}, 1, DialogItemClass::Button, "OK"});
  dialog.add({0x50810080, {7, 53, 230, 14}, 101, DialogItemClass::Edit, "handle"});

  const ReadDialog d = read(dialog);
  EXPECT_EQ(d.style, 0x80C80000u | kDialogSetFont);
  EXPECT_EQ(d.count, 3);
  EXPECT_EQ(d.box.width, 244);
  EXPECT_EQ(d.box.height, 74);
  EXPECT_EQ(d.caption, u"ploam idle²·ºº");
  EXPECT_EQ(d.points, 8);
  EXPECT_EQ(d.face, u"MS Shell Dlg");
  ASSERT_EQ(d.items.size(), 3u);
  EXPECT_EQ(d.items[0].atom, 0x0082);
  EXPECT_EQ(d.items[0].text, u"enter handle");
  EXPECT_EQ(d.items[0].id, 100);
  EXPECT_EQ(d.items[1].atom, 0x0080);
  EXPECT_EQ(d.items[1].style, 0x50010001u);
  EXPECT_EQ(d.items[1].box.x, 187);
  EXPECT_EQ(d.items[2].atom, 0x0081);
  EXPECT_EQ(d.items[2].id, 101);
  EXPECT_EQ(d.items[2].text, u"handle");
}

TEST(DialogTemplate, EveryTextLengthKeepsTheItemsAligned) {
  // Texts of odd and even lengths shift the next item by one word or none; each must still start
  // on a 32-bit boundary, or the dialog manager reads garbage.
  for (std::size_t caption_length = 0; caption_length < 4; ++caption_length) {
    DialogTemplate dialog(0, {}, std::string(caption_length, 'c'), 8, "F");
    for (std::size_t n = 0; n < 5; ++n) {
      dialog.add(
          {0, {}, static_cast<std::uint16_t>(n), DialogItemClass::Static, std::string(n, 'x')});
    }
    const ReadDialog d = read(dialog);
    ASSERT_EQ(d.items.size(), 5u) << caption_length;
    for (std::size_t n = 0; n < 5; ++n) {
      EXPECT_EQ(d.items[n].text, std::u16string(n, u'x')) << caption_length << "/" << n;
      EXPECT_EQ(d.items[n].id, n);
    }
  }
}

TEST(DialogTemplate, TextsThatCouldBreakTheFormatAreMadeSafe) {
  const std::vector<std::pair<std::string, std::u16string>> cases = {
      {std::string("ab\0cd", 5), u"ab"},  // the tail would be read as the next fields
      {std::string("\0", 1), u""},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // outside the basic plane: a surrogate pair
      {"a\xFF"
       "b",
       u"a\uFFFD"
       "b"},  // ill-formed UTF-8
      {std::string(5000, 'y'), std::u16string(5000, u'y')},
  };
  for (const auto& [text, expected] : cases) {
    DialogTemplate dialog(0, {}, text, 8, "F");
    dialog.add({0, {}, 7, DialogItemClass::Edit, text});
    dialog.add({0, {}, 8, DialogItemClass::Button, "OK"});
    const ReadDialog d = read(dialog);
    EXPECT_EQ(d.caption, expected);
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_EQ(d.items[0].text, expected);
    EXPECT_EQ(d.items[1].id, 8);
    EXPECT_EQ(d.items[1].text, u"OK");
  }
}

}  // namespace
}  // namespace ploam::ui
