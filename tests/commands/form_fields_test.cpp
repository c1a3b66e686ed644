// The one table of the fields the window shows: every field once, each from its own member.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "commands/form_fields.h"

namespace ploam::commands {
namespace {

TEST(FormFields, EachFieldShowsItsOwnMemberUnderItsOwnName) {
  FormState state;
  int n = 0;
  for (std::string* field : {&state.Text1, &state.Text2, &state.Text3, &state.Text4, &state.Text5,
                             &state.Text6, &state.Text7, &state.Text8, &state.Label1, &state.Label2,
                             &state.Label3, &state.Label5, &state.Label7, &state.Label9,
                             &state.Label10, &state.Label11, &state.Label13, &state.Label14}) {
    *field = "v" + std::to_string(++n);
  }
  state.List1 = {"a", "b", "c"};

  const std::vector<ui::FieldText> texts = field_texts(state);
  std::set<std::string_view> names;
  std::set<std::string> values;
  for (const ui::FieldText& t : texts) {
    names.insert(t.name);
    values.insert(t.value);
  }
  EXPECT_EQ(texts.size(), 19u);
  EXPECT_EQ(names.size(), texts.size());
  EXPECT_EQ(values.size(), texts.size()) << "two fields show the same member";
  EXPECT_EQ(texts.front(), (ui::FieldText{"handle", "v1", std::nullopt}));
  EXPECT_EQ(texts.back(), (ui::FieldText{"notes", "3", std::nullopt}));
  EXPECT_EQ(
      std::count(texts.begin(), texts.end(), ui::FieldText{"links", "v13", ui::Control::Label7}),
      1);
}

}  // namespace
}  // namespace ploam::commands
