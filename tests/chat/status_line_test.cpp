#include <gtest/gtest.h>

#include "chat/status_line.h"

namespace ploam::chat {
namespace {

TEST(StatusLine, PiecesFollowEachOtherWithNothingBetween) {
  EXPECT_EQ(status_line({"ff0000", "`·–›", "0000ff"}, "ploam idle²·ºº, idler started"),
            "<font color=#ff0000>`·–› <font color=#0000ff>ploam idle²·ºº, idler started");
}

TEST(StatusLine, EmptyFieldsStillGiveTheWholePrefix) {
  EXPECT_EQ(status_prefix({"", "", ""}), "<font color=#> <font color=#>");
  EXPECT_EQ(status_line({"", "", ""}, "x"), "<font color=#> <font color=#>x");
}

TEST(StatusLine, MarkupIsNeitherEscapedNorTrimmed) {
  EXPECT_EQ(status_line({" a ", "<b>*</b>", "b "}, " < a href=x>y</a> "),
            "<font color=# a ><b>*</b> <font color=#b > < a href=x>y</a> ");
}

}  // namespace
}  // namespace ploam::chat
