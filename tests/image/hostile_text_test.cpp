// Texts as a paste or a keyboard can bring them: every byte value, and a text
// at the input window's limit. Each builds and renders, or is refused with
// one of the language's messages.
#include <gtest/gtest.h>

#include <string>

#include "image/glyx_image.h"
#include "lang/messages.h"

namespace zorva {
namespace {

bool StartsWithAMessage(const char* message) {
#define ZORVA_MESSAGE_TEXT(id, name, text) text,
  const char* const texts[] = {ZORVA_MESSAGE_LIST(ZORVA_MESSAGE_TEXT)};
#undef ZORVA_MESSAGE_TEXT
  for (const char* text : texts) {
    if (message != nullptr && std::string(message).rfind(text, 0) == 0) return true;
  }
  return false;
}

// The message, or "built" after a frame rendered at step 8.
std::string Outcome(const std::string& text) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text.c_str(), errors)) return errors.HasMessage() ? errors.Message() : "no message";
  if (!glyx.Resize(256, 256, 8, 256)) return "no image";
  glyx.Render(0, 0);
  return "built";
}

TEST(HostileText, EveryByteValueBuildsOrEndsInAMessage) {
  std::string everyByte;
  for (int value = 1; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    everyByte += byte;
    for (const std::string& text : {byte, "x+" + byte + "y", "t" + byte, "\"" + byte + "\""}) {
      const std::string outcome = Outcome(text);
      EXPECT_TRUE(outcome == "built" || StartsWithAMessage(outcome.c_str())) << value << ": " << outcome;
    }
    if (value >= 128) {
      EXPECT_EQ(Outcome("x+" + byte), "Unknown character: " + byte) << value;
    }
  }
  EXPECT_EQ(Outcome(everyByte), "Unknown character: \x01");
}

// The input window holds 2047 characters and the text's buffer 2048 bytes.
TEST(HostileText, TextAtTheInputWindowsLimitBuildsAndPrintsBackWhole) {
  std::string text = "p=pal(1); xm";
  while (text.size() < 2047) text += "+1000000000";
  ASSERT_EQ(text.size(), 2047u);
  GlyxImage glyx;
  ErrorRecord errors;
  ASSERT_TRUE(glyx.CreateFromText(text.c_str(), errors));
  char buffer[2048];
  const BoundedText whole = glyx.ExpressionText(buffer, sizeof buffer, "; ");
  EXPECT_TRUE(whole.complete);
  EXPECT_EQ(buffer, text);
  const BoundedText cut = glyx.ExpressionText(buffer, sizeof buffer - 1, "; ");
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.length, 2046u);
  EXPECT_EQ(buffer, text.substr(0, 2046));
}

}  // namespace
}  // namespace zorva
