// The texts of the messages that expression text can reach are checked once,
// through zorva check (tests/cli/check_command_test.cpp); that the first
// message of a text wins, by Parser.FirstErrorOfTheTextWins.
#include <gtest/gtest.h>

#include <string>

#include "lang/messages.h"
#include "sys/message_strings.h"

namespace zorva {
namespace {

TEST(Messages, LoadingIsBoundedByTheBuffer) {
  char small[8];
  EXPECT_EQ(sys::LoadMessageString(kMsgUnknownThang, small, sizeof small), 7);
  EXPECT_STREQ(small, "Unknown");
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
