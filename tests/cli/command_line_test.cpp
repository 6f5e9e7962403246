// The zorva tool's command line, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

// The convention every command follows. The commands' own tests and the documents' examples
// hold how each reads its text (one word, "-", after "--") and that a build error exits 1.
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
