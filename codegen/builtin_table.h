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

// One row. The parser takes names and argument counts from it, mutation
// names, arities and needs, and the code generator the node kind a call
// becomes and the routine it calls.
struct BuiltinFunc {
  const char* name;  // capitalised; symbol tables register it in lower case
  int32_t maxArgs;
  int32_t minArgs;
  int32_t argsInRegisters;  // 1: first argument in ECX, second in EDX; 0: inline, in EAX
  int32_t kindAtMaxArgs;    // node kind of a call with maxArgs arguments
  int32_t kindAtMinArgs;    // node kind of a call with minArgs arguments
  uint32_t needs;           // kNeeds* bits
  const void* routine;      // runtime routine (codegen/routines.h); null when always inline
};

// Row numbers, in table order.
enum BuiltinRow : int32_t {
  kBuiltinSin, kBuiltinCos, kBuiltinTan, kBuiltinAsin, kBuiltinAcos,
  kBuiltinAtan, kBuiltinDsin, kBuiltinDecay, kBuiltinAbs, kBuiltinExp,
  kBuiltinRand, kBuiltinPeg, kBuiltinTheta, kBuiltinRad, kBuiltinSqrt,
  kBuiltinSnd, kBuiltinSndL, kBuiltinSndR, kBuiltinFft, kBuiltinVol,
  kBuiltinSaw, kBuiltinTri, kBuiltinPal,
};

constexpr int kBuiltinCount = 23;

extern const BuiltinFunc kBuiltins[kBuiltinCount];

}  // namespace zorva
