// zorva palette K: prints the colours that pal(K, ...) reads, one entry a
// line as "r g b".
#include <cstdint>
#include <cstdio>

#include "cli/commands.h"
#include "image/palettes.h"

namespace zorva {
namespace {

int PrintPalette(CommandLine& line) {
  const int32_t k = line.NumberOperand(0, INT32_MIN, INT32_MAX);
  if (!line.error.empty()) return line.UsageError();
  for (int32_t x = 0; x < kPaletteEntries; x++)
    std::printf("%d %d %d\n", Pal(k, 0, x, 0), Pal(k, 0, x, 1), Pal(k, 0, x, 2));
  return 0;
}

}  // namespace

const Command kPaletteCommand = {
    "palette", "K", "print the 256 colours of pal(K, ...) as \"r g b\" lines",
    "Palettes are numbered as pal(K) numbers them: 1 to 28, and 0 for the grey\n"
    "ramp; other numbers count modulo 28, as in pal.\n",
    {}, 1, PrintPalette,
};

}  // namespace zorva
