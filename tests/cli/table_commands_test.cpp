// zorva table and palette, run as a program. The palettes picture: picture_files_test.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/lookup_tables.h"
#include "image/palettes.h"
#include "tests/cli/zorva_process.h"

namespace {

// The lines that "zorva ARGS" printed; it must succeed.
std::vector<std::string> PrintedLines(const std::string& args) {
  const ZorvaRun run = RunZorva(args);
  EXPECT_EQ(run.exitCode, 0) << args;
  return Lines(run.out);
}

TEST(TableCommands, TablePrintsEveryEntryInDecimal) {
  const std::vector<std::string> sine = PrintedLines("table sine"), exp = PrintedLines("table exp");
  ASSERT_TRUE(sine.size() == 256u && exp.size() == 256u);
  for (int i = 0; i < 256; i++) {
    EXPECT_EQ(sine[i], std::to_string(sineTable[i])) << i;
    EXPECT_EQ(exp[i], std::to_string(exponentialTable[i])) << i;
  }
  EXPECT_EQ(RunZorva("table tangent").exitCode, 2);
}

TEST(TableCommands, PalettePrintsWhatPalReads) {
  for (int k : {0, 1, 8, 28, 29, -1}) {
    const std::vector<std::string> lines = PrintedLines("palette " + std::to_string(k));
    ASSERT_EQ(lines.size(), 256u);
    for (int x = 0; x < 256; x++) {
      std::string rgb = std::to_string(Pal(k, 0, x, 0)) + " " + std::to_string(Pal(k, 0, x, 1)) +
                        " " + std::to_string(Pal(k, 0, x, 2));
      EXPECT_EQ(lines[x], rgb) << "palette " << k << " entry " << x;
    }
  }
}

}  // namespace
