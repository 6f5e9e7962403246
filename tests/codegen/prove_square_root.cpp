// sqrt and rad's square root against the rule, floor(sqrt(n)), for all 2^32
// arguments. Minutes of work under emulation, so it runs on its own
// (scripts/prove-routines) rather than among the unit tests. Exit status 0
// when every argument agrees.
#include <cstdint>
#include <cstdio>
#include <thread>

#include "codegen/routines.h"

namespace {

// The arguments from first * first up to (but not including) last * last,
// each against the root that counting up gives.
uint64_t Disagreements(uint64_t first, uint64_t last) {
  uint64_t wrong = 0;
  for (uint64_t root = first; root < last; root++) {
    const uint64_t end = (root + 1) * (root + 1);
    for (uint64_t n = root * root; n < end; n++)
      wrong += static_cast<uint64_t>(SqrtRoutine(static_cast<int32_t>(static_cast<uint32_t>(n)))) != root;
  }
  return wrong;
}

}  // namespace

int main() {
  // The two halves of the arguments, by root: 46341^2 is about 2^31.
  uint64_t low = 0, high = 0;
  std::thread lower([&] { low = Disagreements(0, 46341); });
  high = Disagreements(46341, 65536);
  lower.join();
  std::printf("square root: %llu of 4294967296 arguments disagree with floor(sqrt(n))\n",
              static_cast<unsigned long long>(low + high));
  return low + high == 0 ? 0 : 1;
}
