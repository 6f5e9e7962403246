// The texts of the messages that expression text can reach are checked by the
// lexer, parser and statement tests and docs/language.md's examples; that the first
// message of a text wins, by Parser.FirstErrorOfTheTextWins; that an internal error
// shows its text and returns, by Descriptor and SymbolTable.
#include <gtest/gtest.h>

#include "lang/messages.h"
#include "sys/message_strings.h"

namespace zorva {
namespace {

TEST(Messages, LoadingIsBoundedByTheBuffer) {
  char small[8];
  EXPECT_EQ(sys::LoadMessageString(kMsgUnknownThang, small, sizeof small), 7);
  EXPECT_STREQ(small, "Unknown");
}

}  // namespace
}  // namespace zorva
