#ifndef ZORVA_CODEGEN_RANDOM_H
#define ZORVA_CODEGEN_RANDOM_H

#include <cstdint>

// The process-wide pseudo-random generator shared by rand, mutation and the
// pick of a good parent: a linear congruential generator whose state starts
// at 1. Each draw yields 0..32767.
constexpr int32_t kRandomMax = 32767;

void SeedRandom(uint32_t seed);

// Inline: rand draws once a pixel.
extern uint32_t randomState;
inline int32_t DrawRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

// The state, for a caller that must put the generator back where it was.
inline uint32_t RandomState() { return randomState; }

#endif
