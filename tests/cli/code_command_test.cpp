// zorva code, run as a program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/zorva_process.h"

namespace {

struct Output {
  int exitCode;
  std::string text;
};

bool operator==(const Output& a, const Output& b) { return a.exitCode == b.exitCode && a.text == b.text; }

// The exit code and the first line the command printed, on either stream.
Output RunCode(const std::string& args) {
  const ZorvaRun run = RunZorva("code " + args);
  const std::vector<std::string> lines = Lines(run.out + run.err);
  return {run.exitCode, lines.empty() ? "" : lines[0]};
}

TEST(CodeCommand, PrintsTheChosenStatementsRowRoutineOrRefuses) {
  const Output sum = RunCode("'x+y'");
  EXPECT_EQ(sum.exitCode, 0);
  EXPECT_EQ(sum.text.size(), 133u * 3 - 1);
  EXPECT_EQ(sum.text.substr(0, 54), "57 8b 7c 24 08 53 55 56 33 f6 90 90 90 90 90 90 33 ed ");
  EXPECT_EQ(sum.text.substr(54, 27), "8b c6 8b d8 8b 47 44 03 c3 ");
  // The channel statements that the text lacks are there too.
  const Output channel = RunCode("'r=255-x; x+y' --statement g");
  EXPECT_EQ(channel.exitCode, 0);
  EXPECT_EQ(channel.text.substr(54, 6), "8b c6 ");
  const Output red = RunCode("'r=255-x; x+y' --statement r");
  EXPECT_EQ(red.text.substr(54, 15), "8b c6 8b d8 b8 ");  // 255-x: x is held while 255 loads
  // Bad text, and statements the expression does not have.
  EXPECT_EQ(RunCode("'x+'"), (Output{1, "Expression not completex+"}));
  EXPECT_EQ(RunCode("'x' --statement p").exitCode, 1);
  EXPECT_EQ(RunCode("'r=x; x' --statement h").exitCode, 1);
}

}  // namespace
