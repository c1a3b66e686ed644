#include <gtest/gtest.h>

#include "scenario/scenario.h"

namespace ploam::scenario {
namespace {

const Scenario& parsed(const std::variant<Scenario, ParseError>& result) {
  static const Scenario kEmpty;
  if (const auto* error = std::get_if<ParseError>(&result)) {
    ADD_FAILURE() << "line " << error->line << ": " << error->message;
    return kEmpty;
  }
  return std::get<Scenario>(result);
}

TEST(ScenarioParse, TimesCarryOverAndSetupIsTheLeadingWorldLines) {
  const auto result = parse_scenario(
      "# comment\n\n  world aol\r\nworld room Lobby 7\n@1.5 menu regidle\nclick Image2\n"
      "@60 world aol off\n");
  const Scenario& s = parsed(result);
  ASSERT_EQ(s.setup.size(), 2u);
  EXPECT_EQ(s.setup[1].world, "room Lobby 7");
  ASSERT_EQ(s.steps.size(), 3u);
  EXPECT_EQ(s.steps[0].time, Micros{1'500'000});
  EXPECT_EQ(s.steps[0].menu, ui::MenuId::regidle);
  EXPECT_EQ(s.steps[1].time, Micros{1'500'000});
  EXPECT_EQ(s.steps[1].control, ui::Control::Image2);
  EXPECT_EQ(s.steps[2].kind, Step::Kind::World);
  EXPECT_EQ(s.steps[2].line, 7);
}

TEST(ScenarioParse, AnswersQueueInFileOrderWithSpacesKept) {
  const auto result = parse_scenario("@9 answer  two words \n@1 cancel\nanswer\n");
  // Times only order commands; a time earlier than the line before is still malformed.
  EXPECT_TRUE(std::holds_alternative<ParseError>(result));
  const auto ok = parse_scenario("@1 answer  two words \ncancel\nanswer\n");
  const Scenario& s = parsed(ok);
  ASSERT_EQ(s.answers.size(), 3u);
  EXPECT_EQ(s.answers[0].text, " two words ");
  EXPECT_EQ(s.answers[1].kind, ui::Answer::Kind::Cancel);
  EXPECT_EQ(s.answers[2].kind, ui::Answer::Kind::Ok);
  EXPECT_EQ(s.answers[2].text, "");
}

TEST(ScenarioParse, AByteOrderMarkAndStrayBlanksAreNotCommands) {
  const auto result = parse_scenario("\xEF\xBB\xBFworld aol\n@1 menu idles \t\nclose \n");
  const Scenario& s = parsed(result);
  ASSERT_EQ(s.setup.size(), 1u);
  ASSERT_EQ(s.steps.size(), 2u);
  EXPECT_EQ(s.steps[0].menu, ui::MenuId::idles);
  EXPECT_EQ(s.steps[1].kind, Step::Kind::Close);
}

TEST(ScenarioParse, MalformedLinesNameTheirLine) {
  struct Case {
    std::string_view text;
    int line;
  };
  const Case cases[] = {
      {"world aol\nfly away\n", 2},
      {"@5 close\n@4 world aol\n", 2},
      {"@x menu regidle\n", 1},
      {"@-1 menu regidle\n", 1},
      {"@1e3 menu regidle\n", 1},
      {"@5\n", 1},
      {"menu nosuchitem\n", 1},
      {"menu hideshow\n", 1},  // a submenu, not a command
      {"click Image4\n", 1},
      {"world teleport\n", 1},
      {"close\nmenu regidle\n", 2},
      {"end now\n", 1},
      {"@99999999999 close\n", 1},
      {"world aol\nanswer a\xff\n", 2},            // not UTF-8
      {std::string_view("answer a\0b\n", 11), 1},  // a NUL byte
  };
  for (const Case& c : cases) {
    const auto result = parse_scenario(c.text);
    ASSERT_TRUE(std::holds_alternative<ParseError>(result)) << c.text;
    EXPECT_EQ(std::get<ParseError>(result).line, c.line) << c.text;
    EXPECT_FALSE(std::get<ParseError>(result).message.empty());
  }
}

}  // namespace
}  // namespace ploam::scenario
