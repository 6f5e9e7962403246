// zorva check, run as a program: the exact bytes on standard output and
// standard error, and the exit code.
#include <gtest/gtest.h>

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


// Every message that expression text can reach, byte for byte, and where the
// detail that follows it starts.
TEST(CheckCommand, EveryMessage) {
  ExpectMessage("sin x", "Left parenthesis expectedsin x");
  ExpectMessage("sin", "Expression not completesin");
  ExpectMessage("p=pal(0); (x", "Right parenthesis expected (x");
  ExpectMessage("sin(1,2", "Incorrect number of arguments to function sin");
  ExpectMessage("theta(1)", "Incorrect number of arguments to function theta");
  ExpectMessage("Sin(x)", "Unknown identifier: Sin");
  ExpectMessage("{x y}", "Comma Expected{x y}");
  ExpectMessage("[x,y", "Right bracket expected[x,y");
  ExpectMessage("{x,y", "Right brace expected{x,y");
  ExpectMessage("r=g=b", "Unknown thang=b");
  ExpectMessage("rand()", "Unknown thangrand()");
  ExpectMessage("x \"abc\"", "Unknown thang \"abc\"");
  ExpectMessage("1?2", "Colon expected1?2");
  ExpectMessage("x+", "Expression not completex+");
  ExpectMessage("x;", "Expression not completex;");
  ExpectMessage("x+abcdefgh", "Identifier too longx+abcdefgh");
  ExpectMessage("x+#", "Unknown character: #");
  ExpectMessage("r=x; h=y", "You cannot mix RGB with HSL color models.");
  const std::string longString = "x \"" + std::string(129, 'q') + "\"";
  ExpectMessage(longString, "String too long" + longString);
  ExpectMessage("x \"abc", "Missing \" at end of string" + std::string("x \"abc"));
  std::string sum = "1";
  for (int i = 0; i < 999; ++i) sum += "+1";
  ExpectMessage(sum, "Expression nested too deeply" + sum);
}

// Compiled too: the text shows the compiler's rewrites (RowLoop.ProductByZeroFoldsForGood).
TEST(CheckCommand, BuiltinExpressionsPrintBackUnchanged) {
  for (const char* text : kBuiltinGlyxes) {
    const ZorvaRun run = Check(text);
    EXPECT_EQ(run.exitCode, 0) << text << ": " << run.err;
    EXPECT_EQ(run.out, text + std::string("\n"));
  }
}

// The convention every command that takes an expression follows.
TEST(CommandLine, TextIsOneWordOrStandardInputAndMayFollowDashDash) {
  EXPECT_EQ(RunZorva("check 'x + 1'").out, "r=x; g=x; b=x; x+1\n");
  EXPECT_EQ(RunZorva("check -- -x").out, "r=x; g=x; b=x; -x\n");
  EXPECT_EQ(RunZorva("code -", "x+y").out, RunZorva("code 'x+y'").out);
  const std::string dashed = TempFilePath("zorva_dashed.raw"), piped = TempFilePath("zorva_piped.raw");
  EXPECT_EQ(RunZorva("render -- -x*3 -o " + dashed + " --frames 2").exitCode, 0);
  EXPECT_EQ(RunZorva("render - --frames 2 -o " + piped, "-x*3").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(dashed), ReadFileBytes(piped));
  EXPECT_EQ(ReadFileBytes(dashed).size(), 2u * (768 + 256 * 256));
}

TEST(CommandLine, UsageErrorsExitTwoAndHelpExitsZero) {
  for (const char* args : {"check", "check x y", "check -x", "code x --statement", "palette eight", "render x", "sheet"}) {
    const ZorvaRun run = RunZorva(args);
    EXPECT_EQ(run.exitCode, 2) << args;
    EXPECT_NE(run.err.find("usage: zorva "), std::string::npos) << args;
  }
  for (const char* name : {"check", "code", "render", "mutate", "evolve", "sheet", "table", "palette", "palettes", "bench"}) {
    const ZorvaRun run = RunZorva(std::string(name) + " --help");
    EXPECT_EQ(run.exitCode, 0) << name;
    EXPECT_EQ(run.out.rfind(std::string("usage: zorva ") + name + " ", 0), 0u) << name;
  }
  EXPECT_NE(RunZorva("palette --help").out.find("1 to 28, and 0 for the grey"), std::string::npos);
}

TEST(CheckCommand, MegabyteOfParenthesesIsTooDeep) {
  const std::string parens(1 << 20, '(');
  ExpectMessage(parens, "Expression nested too deeply" + parens);
}

}  // namespace
}  // namespace zorva
