// The table of the 23 built-in functions.
#pragma once

#include <cstdint>

namespace zorva {

// Node kind of a call that stays a plain Call and calls its routine.
constexpr int32_t kStaysCall = 67;

// Bits of BuiltinFunc::needs.
constexpr uint32_t kNeedsTrig = 1;
constexpr uint32_t kNeedsWaveform = 2;
constexpr uint32_t kNeedsSpectrum = 4;
constexpr uint32_t kNeedsPalette = 16;

// One row. The runtime routine joins the row with the built-in functions
// themselves.
struct BuiltinFunc {
  const char* name;  // capitalised; symbol tables register it in lower case
  int32_t maxArgs;
  int32_t minArgs;
  int32_t argsInRegisters;
  int32_t kindAtMaxArgs;
  int32_t kindAtMinArgs;
  uint32_t needs;
};

constexpr int kBuiltinCount = 23;

extern const BuiltinFunc kBuiltins[kBuiltinCount];

}  // namespace zorva
