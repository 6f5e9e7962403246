// zorva library list and add, run as programs on a settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "library/builtin_glyxes.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

// Added as Enter adds: the text form with "; ", once; a text that does not
// build changes nothing. What else the file keeps: GlyxLibrary and ProfileFile.
TEST(LibraryCommand, AddsTheTextFormOnce) {
  const std::string ini = TempFilePath("add.ini");
  std::ofstream(ini, std::ios::binary) << "[Zorva]\r\nAutoMutate=0\r\nGlyx1=x\r\nGlyx2=\r\nGlyx3=kept\r\n[Other]\r\nA=1\r\n";
  ZorvaRun run = RunZorva("library add - --ini " + ini, "p = pal(1, 2) ;  x +y");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "added 63: p=pal(1,2); x+y\n");
  EXPECT_EQ(RunZorva("library add 'p=pal(1,2); x+y' --ini " + ini).out, "already present\n");
  EXPECT_EQ(RunZorva("library add '" + std::string(kBuiltinGlyxes[7]) + "' --ini " + ini).out, "already present\n");
  run = RunZorva("library add --ini " + ini + " -- -y");
  EXPECT_EQ(run.out, "added 64: r=x; g=x; b=x; -y\n");

  const std::string before = ReadFileBytes(ini);
  run = RunZorva("library add 'sin(' --ini " + ini);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Expression not completesin(\n");
  EXPECT_EQ(ReadFileBytes(ini), before);
  EXPECT_EQ(RunZorva("library add x").exitCode, 2);

  const std::vector<std::string> listed = Lines(RunZorva("library list --ini " + ini).out);
  ASSERT_EQ(listed.size(), 65u);
  EXPECT_EQ(listed.back(), "r=x; g=x; b=x; -y");
  std::remove(ini.c_str());
}

}  // namespace
}  // namespace zorva
