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

TEST(PlayerScript, ReadsEveryActionWithItsArguments) {
  const auto events = Parsed(
      "# a comment\r\n"
      "\n"
      "1 key space ctrl\n"
      "2 keyup 0x41\n"
      "3 click double 10 20\n"
      "4 clipboard r=x; g=y \\n b=t\n"
      "5 screenshot out dir/shot.bmp\n"
      "6 config cancel\n"
      "7 quit\n");
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].action, ScriptAction::Key);
  EXPECT_EQ(events[0].key, 0x20);
  EXPECT_TRUE(events[0].ctrl);
  EXPECT_EQ(events[1].action, ScriptAction::KeyUp);
  EXPECT_EQ(events[1].key, 0x41);
  EXPECT_FALSE(events[1].ctrl);
  EXPECT_EQ(events[2].button, "double");
  EXPECT_EQ(events[2].x, 10);
  EXPECT_EQ(events[2].y, 20);
  EXPECT_EQ(events[3].text, "r=x; g=y \n b=t");
  EXPECT_EQ(events[4].text, "out dir/shot.bmp");
  EXPECT_EQ(events[5].button, "cancel");
  EXPECT_EQ(events[6].action, ScriptAction::Quit);
}

TEST(PlayerScript, SortsByFrameAndKeepsFileOrderWithinAFrame) {
  const auto events = Parsed("9 quit\n2 key a\n2 key b\n0 click left\n");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].frame, 0);
  EXPECT_EQ(events[1].key, 'A');
  EXPECT_EQ(events[2].key, 'B');
  EXPECT_EQ(events[3].frame, 9);
}

TEST(PlayerScript, ClickWithoutPositionAimsAtTheCentre) {
  const auto events = Parsed("1 click right\n");
  EXPECT_EQ(events[0].x, -1);
  EXPECT_EQ(events[0].y, -1);
}

TEST(PlayerScript, NamesTheLineOfAMistake) {
  EXPECT_EQ(ErrorOf("1 quit\n2 jump\n"), "script line 2: unknown action 'jump'");
  EXPECT_EQ(ErrorOf("x key a\n"), "script line 1: a line starts with a frame number");
  EXPECT_EQ(ErrorOf("-1 quit\n"), "script line 1: a line starts with a frame number");
  EXPECT_EQ(ErrorOf("1 key nosuchkey\n"), "script line 1: unknown key 'nosuchkey'");
  EXPECT_EQ(ErrorOf("1 key a shift\n"), "script line 1: only 'ctrl' may follow a key");
  EXPECT_EQ(ErrorOf("1 click middle\n"), "script line 1: click needs left, right or double");
  EXPECT_EQ(ErrorOf("1 click left 5\n"), "script line 1: click needs both X and Y");
  EXPECT_EQ(ErrorOf("1 screenshot\n"), "script line 1: screenshot needs a file name");
  EXPECT_EQ(ErrorOf("1 config maybe\n"), "script line 1: config needs ok or cancel");
}

TEST(PlayerScript, KnowsKeysByNameLetterAndNumber) {
  EXPECT_EQ(VirtualKeyFromName("Enter"), 0x0D);
  EXPECT_EQ(VirtualKeyFromName("back"), 0x08);
  EXPECT_EQ(VirtualKeyFromName("left"), 0x25);
  EXPECT_EQ(VirtualKeyFromName("f12"), 0x7B);
  EXPECT_EQ(VirtualKeyFromName("v"), 'V');
  EXPECT_EQ(VirtualKeyFromName("7"), '7');
  EXPECT_EQ(VirtualKeyFromName("32"), 32);
  EXPECT_EQ(VirtualKeyFromName("0x100"), 0);
  EXPECT_EQ(VirtualKeyFromName(""), 0);
}

}  // namespace
