// zorva library list and add, run as programs on a settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "library/builtin_glyxes.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

TEST(LibraryCommand, ListsWhatThePluginLoads) {
  std::string builtins;
  for (const char* text : kBuiltinGlyxes) builtins += text + std::string("\n");
  EXPECT_EQ(RunZorva("library list").out, builtins);

  const std::string ini = TempFilePath("list.ini");
  std::ofstream(ini, std::ios::binary) << "[ZORVA]\r\nglyx1 = x*y \r\nGlyx2=\r\nGlyx3=y\r\n";
  const ZorvaRun run = RunZorva("library list --ini " + ini);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, builtins + "x*y\n");
  std::remove(ini.c_str());
}

// Added as Enter adds: the text form with "; ", once; the file's other keys
// stay; a text that does not build changes nothing.
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

  const std::string file = ReadFileBytes(ini);
  EXPECT_NE(file.find("[Zorva]\r\nAutoMutate=0\r\nGlyx1="), std::string::npos);
  EXPECT_NE(file.find("\r\nGlyx3=" + std::string(kBuiltinGlyxes[3]) + "\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nGlyx64=r=x; g=x; b=x; -y\r\nGlyx65=\r\n[Other]\r\nA=1\r\n"), std::string::npos);
  EXPECT_EQ(Lines(RunZorva("library list --ini " + ini).out).size(), 65u);
  std::remove(ini.c_str());
}

}  // namespace
}  // namespace zorva
