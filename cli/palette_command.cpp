// zorva palette K: prints the colours that pal(K, ...) reads, one entry a
// line as "r g b".
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "cli/commands.h"
#include "image/palettes.h"

namespace {

bool ParseInt32(const char* text, int32_t& value) {
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
    return false;
  value = static_cast<int32_t>(parsed);
  return true;
}

}  // namespace

int PaletteCommand(int argc, char** argv) {
  int32_t k = 0;
  if (argc != 1 || !ParseInt32(argv[0], k)) {
    std::fputs("usage: zorva palette K   (K as in pal(K, ...): 1 to 28, 0 for the grey ramp)\n",
               stderr);
    return 2;
  }
  for (int32_t x = 0; x < kPaletteEntries; x++)
    std::printf("%d %d %d\n", Pal(k, 0, x, 0), Pal(k, 0, x, 1), Pal(k, 0, x, 2));
  return 0;
}
