#include "player/player_script.h"

#include <gtest/gtest.h>

namespace {

std::vector<ScriptEvent> Parsed(const std::string& source) {
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_TRUE(ParseScript(source, &events, &error)) << error;
  return events;
}

std::string ErrorOf(const std::string& source) {
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_FALSE(ParseScript(source, &events, &error));
  return error;
}

TEST(PlayerScript, SortsByFrameAndKeepsFileOrderWithinAFrame) {
  const auto events = Parsed("9 quit\n2 key a\n2 key b\n0 click left\n");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].frame, 0);
  EXPECT_EQ(events[1].key, 'A');
  EXPECT_EQ(events[2].key, 'B');
  EXPECT_EQ(events[3].frame, 9);
  EXPECT_EQ(events[0].x, -1);  // a click without a position aims at the centre
  EXPECT_EQ(events[0].y, -1);
}

TEST(PlayerScript, TimedEventsFollowTheFramedOnesInOrderOfTime) {
  const auto events = Parsed("2.5s screenshot a.bmp\n20s quit\n7 key a\n0.001s key b\n");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].frame, 7);
  EXPECT_EQ(events[0].milliseconds, -1);
  EXPECT_EQ(events[1].milliseconds, 1);
  EXPECT_EQ(events[2].milliseconds, 2500);
  EXPECT_EQ(events[3].milliseconds, 20000);
}

TEST(PlayerScript, ReadsTheVerbsOfTheInputWindowAndTheConfigurationDialog) {
  const auto events = Parsed("0 type 1+x\\n\n1 focus input\n2 config ok 131=0 136=18 shot=a.bmp\n"
                             "3 config cancel\n4 edittext\n5 resources\n");
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].action, ScriptAction::Type);
  EXPECT_EQ(events[0].text, "1+x\n");  // "\n" is the line feed that Ctrl+Enter types
  EXPECT_EQ(events[1].target, "input");
  EXPECT_EQ(events[2].button, "ok");
  ASSERT_EQ(events[2].sliders.size(), 2u);
  EXPECT_EQ(events[2].sliders[0].id, 131);
  EXPECT_EQ(events[2].sliders[0].position, 0);
  EXPECT_EQ(events[2].sliders[1].id, 136);
  EXPECT_EQ(events[2].sliders[1].position, 18);
  EXPECT_EQ(events[2].text, "a.bmp");
  EXPECT_TRUE(events[3].sliders.empty());
  EXPECT_EQ(events[3].text, "");
  EXPECT_EQ(events[4].action, ScriptAction::EditText);
  EXPECT_EQ(events[5].action, ScriptAction::Resources);
}

TEST(PlayerScript, NamesTheLineOfAMistake) {
  EXPECT_EQ(ErrorOf("1 quit\n2 jump\n"), "script line 2: unknown action 'jump'");
  for (const char* when : {"x", "-1", "2x", "1.5", "s", "-2s", "2.5.1s"})
    EXPECT_EQ(ErrorOf(std::string(when) + " quit\n"),
              "script line 1: a line starts with a frame number or a time in seconds") << when;
  EXPECT_EQ(ErrorOf("1 key nosuchkey\n"), "script line 1: unknown key 'nosuchkey'");
  EXPECT_EQ(ErrorOf("1 key a shift\n"), "script line 1: only 'ctrl' may follow a key");
  EXPECT_EQ(ErrorOf("1 click middle\n"), "script line 1: click needs left, right or double");
  EXPECT_EQ(ErrorOf("1 click left 5\n"), "script line 1: click needs both X and Y");
  EXPECT_EQ(ErrorOf("1 screenshot\n"), "script line 1: screenshot needs a file name");
  EXPECT_EQ(ErrorOf("1 config maybe\n"), "script line 1: config needs ok or cancel");
  for (const char* pair : {"131", "=4", "131=4x", "65536=0", "shot="})
    EXPECT_EQ(ErrorOf(std::string("1 config ok ") + pair + "\n"),
              std::string("script line 1: config takes ID=POS and one shot=FILE after ok or cancel, not '") + pair + "'");
  EXPECT_EQ(ErrorOf("1 config ok shot=a.bmp shot=b.bmp\n"),
            "script line 1: config takes ID=POS and one shot=FILE after ok or cancel, not 'shot=b.bmp'");
  EXPECT_EQ(ErrorOf("1 focus edit\n"), "script line 1: focus needs input or main");
  EXPECT_EQ(ErrorOf("1 type   \n"), "script line 1: type needs a text");
}

}  // namespace
