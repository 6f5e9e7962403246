// zorva mutate TEXT|- [--seed S] [--times N]: mutates an expression the way
// Space does in the plug-in, with the random generator set to S, and prints
// its text after each mutation. The same TEXT and S give the same lines on
// every machine.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "codegen/random.h"
#include "image/glyx_image.h"

namespace zorva {
namespace {

constexpr int32_t kLargestSeed = 2147483647;
constexpr int32_t kMostTimes = 1000000000;

int Mutate(CommandLine& line) {
  const int32_t seed = line.Number("--seed", 1, 0, kLargestSeed);
  const int32_t times = line.Number("--times", 1, 0, kMostTimes);
  if (!line.error.empty()) return line.UsageError();
  const std::string text = line.Text(0);
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text.c_str(), errors)) return BuildError(MessageOf(errors));
  SeedRandom(static_cast<uint32_t>(seed));
  for (int32_t i = 0; i < times; ++i) {
    glyx.Mutate(1);
    std::printf("%s\n", glyx.ExpressionString("; ").c_str());
  }
  return 0;
}

}  // namespace

const Command kMutateCommand = {
    "mutate", "TEXT|- [--seed S] [--times N]", "mutate an expression as Space does; print each new text",
    "Builds TEXT, sets the random generator to S (default 1, at most 2147483647),\n"
    "then N times (default 1) mutates the expression once and prints its text,\n"
    "statements separated by \"; \". Each line is the one before, mutated again.\n"
    "A text that does not build prints the plug-in's message on standard error\n"
    "and exits 1. TEXT is one argument, or - to read standard input whole;\n"
    "-- ends the options.\n",
    {{"--seed", true}, {"--times", true}}, 1, Mutate,
};

}  // namespace zorva
