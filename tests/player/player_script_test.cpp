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
}

}  // namespace
