#include <gtest/gtest.h>

#include <string>

#include "lang/error_record.h"
#include "lang/messages.h"
#include "sys/message_strings.h"

namespace zorva {
namespace {

std::string Text(int id) {
  char buffer[255];
  sys::LoadMessageString(id, buffer, sizeof buffer);
  return buffer;
}

// The exact bytes of every message, as the string table holds them.
TEST(Messages, Catalogue) {
  EXPECT_EQ(Text(3), "Internal Error: Need to define an ntd!");
  EXPECT_EQ(Text(4), "Left parenthesis expected");
  EXPECT_EQ(Text(5), "Right parenthesis expected");
  EXPECT_EQ(Text(6), "Incorrect number of arguments to function ");
  EXPECT_EQ(Text(7), "Unknown identifier: ");
  EXPECT_EQ(Text(8), "Comma Expected");
  EXPECT_EQ(Text(9), "Right bracket expected");
  EXPECT_EQ(Text(10), "Right brace expected");
  EXPECT_EQ(Text(11), "Unknown thang");
  EXPECT_EQ(Text(12), "Colon expected");
  EXPECT_EQ(Text(13), "Expression not complete");
  EXPECT_EQ(Text(14), "Identifier too long");
  EXPECT_EQ(Text(15), "Unknown character: ");
  EXPECT_EQ(Text(16), "INTERNAL ERROR: Too many symbols");
  EXPECT_EQ(Text(21), "INTERNAL ERROR:  Need to define a COD");
  EXPECT_EQ(Text(25), "You cannot mix RGB with HSL color models.");
  EXPECT_EQ(Text(26), "String too long");
  EXPECT_EQ(Text(27), "Missing \" at end of string");
  EXPECT_EQ(Text(28), "Expression nested too deeply");
}

TEST(Messages, InternalErrorTextsFitTheirBuffer) {
  EXPECT_LT(Text(kMsgNoDescriptor).size(), 128u);
  EXPECT_LT(Text(kMsgTooManySymbols).size(), 128u);
  EXPECT_LT(Text(kMsgNoCodeTemplate).size(), 128u);
}

TEST(Messages, LoadingIsBoundedByTheBuffer) {
  char small[8];
  EXPECT_EQ(sys::LoadMessageString(kMsgUnknownThang, small, sizeof small), 7);
  EXPECT_STREQ(small, "Unknown");
}

TEST(ErrorRecord, StartsEmpty) {
  ErrorRecord record;
  EXPECT_FALSE(record.HasMessage());
  EXPECT_EQ(MessageOf(record), nullptr);
}

TEST(ErrorRecord, DetailFollowsDirectly) {
  ErrorRecord record;
  record.BuildMessage(kMsgRightParenExpected, "(x+1");
  EXPECT_STREQ(MessageOf(record), "Right parenthesis expected(x+1");
}

TEST(ErrorRecord, NoDetailAddsNothing) {
  ErrorRecord record;
  record.BuildMessage(kMsgMixedColorModels, nullptr);
  EXPECT_STREQ(MessageOf(record), "You cannot mix RGB with HSL color models.");
}

TEST(ErrorRecord, FirstMessageWins) {
  ErrorRecord record;
  record.BuildMessage(kMsgUnknownIdentifier, "foo");
  record.BuildMessage(kMsgNotComplete, "x+");
  EXPECT_STREQ(MessageOf(record), "Unknown identifier: foo");
}

// Without a debugger attached an internal error shows its text and returns.
// On Windows the text goes to a message box, which would wait for a click.
TEST(InternalError, ReturnsWithoutADebugger) {
#ifdef _WIN32
  GTEST_SKIP() << "shows a message box";
#else
  ::testing::internal::CaptureStderr();
  InternalError(kMsgNoCodeTemplate);
  const std::string shown = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("INTERNAL ERROR:  Need to define a COD"), std::string::npos);
#endif
}

}  // namespace
}  // namespace zorva
