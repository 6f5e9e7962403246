// zorva check, run as a program: the exact bytes on standard output and
// standard error, and the exit code.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "library/builtin_glyxes.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

// Hands `text` to "zorva check -" on standard input.
ZorvaRun Check(const std::string& text) { return RunZorva("check -", text); }

void ExpectMessage(const std::string& text, const std::string& message) {
  const ZorvaRun run = Check(text);
  EXPECT_EQ(run.exitCode, 1) << text;
  EXPECT_EQ(run.out, "") << text;
  EXPECT_EQ(run.err, message + "\n") << text;
}

void ExpectText(const std::string& text, const std::string& printed) {
  const ZorvaRun run = Check(text);
  EXPECT_EQ(run.exitCode, 0) << text << ": " << run.err;
  EXPECT_EQ(run.out, printed + "\n") << text;
  EXPECT_EQ(run.err, "") << text;
}

// Every message that expression text can reach, byte for byte.
TEST(CheckCommand, EveryMessage) {
  ExpectMessage("sin x", "Left parenthesis expectedsin x");
  ExpectMessage("p=pal(0); (x", "Right parenthesis expected (x");
  ExpectMessage("sin(1,2", "Incorrect number of arguments to function sin");
  ExpectMessage("sin(1,2)", "Incorrect number of arguments to function sin");
  ExpectMessage("foo", "Unknown identifier: foo");
  ExpectMessage("{x y}", "Comma Expected{x y}");
  ExpectMessage("[x,y", "Right bracket expected[x,y");
  ExpectMessage("{x,y", "Right brace expected{x,y");
  ExpectMessage("r=g=b", "Unknown thang=b");
  ExpectMessage("1?2", "Colon expected1?2");
  ExpectMessage("x+", "Expression not completex+");
  ExpectMessage("x;", "Expression not completex;");
  ExpectMessage("abcdefgh", "Identifier too longabcdefgh");
  ExpectMessage("x+#", "Unknown character: #");
  ExpectMessage("r=x; h=y", "You cannot mix RGB with HSL color models.");
  const std::string longString = "x \"" + std::string(129, 'q') + "\"";
  ExpectMessage(longString, "String too long" + longString);
  ExpectMessage("x \"abc", "Missing \" at end of string" + std::string("x \"abc"));
  std::string sum = "1";
  for (int i = 0; i < 999; ++i) sum += "+1";
  ExpectMessage(sum, "Expression nested too deeply" + sum);
}

TEST(CheckCommand, StatementsAreSplitAlike) {
  ExpectText("p=pal(0) x*y", "p=pal(0); x*y");
  ExpectText("p=pal(0); x*y", "p=pal(0); x*y");
  ExpectText("p=pal(0)\nx*y", "p=pal(0); x*y");
  ExpectText("", "r=x; g=x; b=x; x");
  ExpectText("g=y; x+y", "r=x; g=y; b=x; x+y");
  ExpectText("[x,y]", "p=pal(0); [x,y]");
}

// The statements are compiled, and the text shows what the compiler rewrote.
TEST(CheckCommand, TextShowsTheCompilersRewrites) {
  ExpectText("t+x*0", "r=x; g=x; b=x; t+0");
}

TEST(CheckCommand, BuiltinExpressionsPrintBackUnchanged) {
  for (const char* text : kBuiltinGlyxes) ExpectText(text, text);
}

TEST(CheckCommand, TextAsArgument) {
  EXPECT_EQ(RunZorva("check 'x + 1'").exitCode, 0);
  EXPECT_EQ(RunZorva("check").exitCode, 2);
}

TEST(CheckCommand, MegabyteOfParenthesesFailsQuickly) {
  const std::string parens(1 << 20, '(');
  const auto started = std::chrono::steady_clock::now();
  ExpectMessage(parens, "Expression nested too deeply" + parens);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

}  // namespace
}  // namespace zorva
