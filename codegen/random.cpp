#include "codegen/random.h"

uint32_t randomState = 1;

void SeedRandom(uint32_t seed) {
  randomState = seed;
}
