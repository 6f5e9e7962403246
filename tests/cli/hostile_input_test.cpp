// The zorva tool where the system or the expression works against it: no
// executable memory, and expressions that fault in every frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/zorva_process.h"

namespace {

std::string LastLine(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  return lines.empty() ? "" : lines.back();
}

// A run on a system that refuses to make memory executable.
ZorvaRun RunWithoutExecutableMemory(const std::string& args) {
  const char* const sanitizer = std::getenv("ASAN_OPTIONS");
  const std::string before = sanitizer != nullptr ? sanitizer : "";
  // AddressSanitizer wants its runtime first; the refusal does not mind.
  setenv("ASAN_OPTIONS", (before + ":verify_asan_link_order=0").c_str(), 1);
  setenv("LD_PRELOAD", ZORVA_REFUSE_EXEC_MEMORY, 1);
  const ZorvaRun run = RunZorva(args);
  unsetenv("LD_PRELOAD");
  if (sanitizer != nullptr) setenv("ASAN_OPTIONS", before.c_str(), 1);
  else unsetenv("ASAN_OPTIONS");
  return run;
}

TEST(HostileInput, WithoutExecutableMemoryEveryBuildingCommandSaysSoAndExitsOne) {
  const std::string out = TempFilePath("zorva_refused.raw");
  for (const std::string& args : {std::string("check x+y"), std::string("code x+y"), "render x+y -o " + out}) {
    const ZorvaRun run = RunWithoutExecutableMemory(args);
    EXPECT_EQ(run.exitCode, 1) << args;
    // Under a 64-bit emulator its own loader may first say it skips the library.
    EXPECT_EQ(LastLine(run.err), "the expression could not be compiled") << args;
    EXPECT_EQ(run.out, "") << args;
  }
  EXPECT_EQ(LastLine(RunWithoutExecutableMemory("check 'x+'").err), "Expression not completex+");
}

// INT_MIN % -1 faults in every frame: each frame is said and written as the
// plug-in shows it (its colours, and the pixels it never got), and the
// render succeeds.
TEST(HostileInput, FaultingFramesAreNamedAndWritten) {
  const std::string out = TempFilePath("zorva_faulted.raw");
  const ZorvaRun run = RunZorva("render '(0-2147483647-1)%(0-1)' --frames 3 -o " + out);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "frame 1: the expression faulted\nframe 2: the expression faulted\n"
            "frame 3: the expression faulted\n");
  const std::string raw = ReadFileBytes(out);
  constexpr size_t kFrameBytes = 768 + 256 * 256;
  ASSERT_EQ(raw.size(), 3 * kFrameBytes);
  for (size_t frame = 0; frame < 3; ++frame) {
    const std::string bytes = raw.substr(frame * kFrameBytes, kFrameBytes);
    EXPECT_EQ(static_cast<uint8_t>(bytes[3 * 200]), 200);  // the grey ramp of r=x, g=x, b=x
    EXPECT_EQ(bytes.find_first_not_of('\0', 768), std::string::npos);
  }
}

}  // namespace
