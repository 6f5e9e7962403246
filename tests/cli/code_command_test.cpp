// zorva code, run as a program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/zorva_process.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

// The first line that "zorva code ARGS" printed, on either stream.
std::string FirstLine(const std::string& args, int exitCode = 0) {
  const ZorvaRun run = RunZorva("code " + args);
  EXPECT_EQ(run.exitCode, exitCode) << args;
  const std::vector<std::string> lines = Lines(run.out + run.err);
  return lines.empty() ? "" : lines[0];
}

// The row routine of the chosen statement, also of one that the text lacks;
// what its bytes are, the golden tests hold.
TEST(CodeCommand, PrintsTheChosenStatementsRowRoutineOrRefuses) {
  EXPECT_EQ(FirstLine("'x+y'"), Hex(RoutineBytes(*Build("x+y"))));
  EXPECT_EQ(FirstLine("'r=255-x; x+y' --statement r"), Hex(RoutineBytes(*Build("r=255-x"))));
  EXPECT_EQ(FirstLine("'r=255-x; x+y' --statement g"), Hex(RoutineBytes(*Build("g=x"))));
  // Bad text, and statements the expression does not have.
  EXPECT_EQ(FirstLine("'x+'", 1), "Expression not completex+");
  FirstLine("'x' --statement p", 1);
  FirstLine("'r=x; x' --statement h", 1);
}

}  // namespace
}  // namespace zorva::testing
