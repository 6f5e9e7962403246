// zorva library list, add and remove, run as programs on a settings file.
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

  // Neither a text that does not build nor one whose text form is longer
  // than 1023 characters touches the file.
  const std::string before = ReadFileBytes(ini);
  run = RunZorva("library add 'sin(' --ini " + ini);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Expression not completesin(\n");
  std::string longest = "x";
  while (longest.size() < 1030) longest += "+1000000000";
  run = RunZorva("library add - --ini " + ini, longest);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("longer than 1023 characters"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(ini), before);

  const std::vector<std::string> listed = Lines(RunZorva("library list --ini " + ini).out);
  ASSERT_EQ(listed.size(), 65u);
  EXPECT_EQ(listed.back(), "r=x; g=x; b=x; -y");
  std::remove(ini.c_str());
}

// The entries after the removed one move down a key, the end marker with
// them, as the plug-in would have saved the library without it.
TEST(LibraryCommand, RemovesAnEntryAndKeepsTheKeyLayout) {
  const std::string ini = TempFilePath("remove.ini");
  std::ofstream(ini, std::ios::binary) << "[Zorva]\r\nAutoMutate=0\r\nGlyx1=x\r\nGlyx2=\r\n";
  for (const char* text : {"y", "t", "x+y"}) RunZorva(std::string("library add ") + text + " --ini " + ini);
  const std::vector<std::string> numbered = Lines(RunZorva("library list --numbered --ini " + ini).out);
  ASSERT_EQ(numbered.size(), 66u);
  EXPECT_EQ(numbered[0], std::string("0: ") + kBuiltinGlyxes[0]);
  EXPECT_EQ(numbered[63], "63: r=x; g=x; b=x; y");

  const ZorvaRun run = RunZorva("library remove 63 --ini " + ini);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "removed 63: r=x; g=x; b=x; y\n");
  const std::string file = ReadFileBytes(ini);
  EXPECT_NE(file.find("AutoMutate=0\r\n"), std::string::npos);
  EXPECT_NE(file.find("Glyx62=x\r\nGlyx63=r=x; g=x; b=x; t\r\nGlyx64=r=x; g=x; b=x; x+y\r\nGlyx65=\r\n"),
            std::string::npos) << file;
  EXPECT_EQ(Lines(RunZorva("library list --ini " + ini).out).size(), 65u);
  EXPECT_EQ(RunZorva("library remove 65 --ini " + ini).exitCode, 1);
  std::remove(ini.c_str());
}

}  // namespace
}  // namespace zorva
