#include "sys/clipboard.h"

#include <gtest/gtest.h>

namespace {

// Another program may put text on the clipboard without a terminating NUL.
TEST(ClipboardText, EndsAtTheFirstNulOrAtTheBlocksEndAndKeepsLineBreaks) {
  const char block[] = {'x', '+', 'y', 'z', 'z', 'z'};
  EXPECT_EQ(zorva::sys::TextWithin(block, 3), "x+y");
  const char withNul[] = {'t', '\0', 'q', 'q'};
  EXPECT_EQ(zorva::sys::TextWithin(withNul, sizeof withNul), "t");
  EXPECT_EQ(zorva::sys::TextWithin(block, 0), "");
  // What is written is read back with its line breaks.
  ASSERT_TRUE(zorva::sys::WriteClipboardText(nullptr, "p=pal(3)\nx*y"));
  std::string text;
  ASSERT_TRUE(zorva::sys::ReadClipboardText(nullptr, &text));
  EXPECT_EQ(text, "p=pal(3)\nx*y");
}

}  // namespace
