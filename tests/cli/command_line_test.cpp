// zorva check, run as a program: the exact bytes on standard output and
// standard error, and the exit code.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

// Only the message, as the plug-in shows it; tests/lang holds every message.
TEST(CheckCommand, BadTextPrintsItsMessageAndExitsOne) {
  const ZorvaRun run = RunZorva("check -", "sin x");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Left parenthesis expectedsin x\n");
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

}  // namespace
}  // namespace zorva
