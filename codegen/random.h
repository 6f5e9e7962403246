#ifndef ZORVA_CODEGEN_RANDOM_H
#define ZORVA_CODEGEN_RANDOM_H

#include <cstdint>

// The process-wide pseudo-random generator shared by rand, mutation and the
// pick of a good parent: a linear congruential generator whose state starts
// at 1. Each draw yields 0..32767.
constexpr int32_t kRandomMax = 32767;

void SeedRandom(uint32_t seed);
int32_t DrawRandom();

// The state, for a caller that must put the generator back where it was.
uint32_t RandomState();

#endif
