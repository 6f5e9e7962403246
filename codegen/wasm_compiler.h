// Compiles a statement to a WebAssembly module whose one exported function
// renders a row, as the IA-32 row routine does, for the browser's own code
// generator to turn into machine code.
#pragma once

#include <cstdint>
#include <vector>

#include "codegen/statement.h"

namespace zorva {

// Where the tables and the state that inline built-ins read lie in linear
// memory.
struct WasmAddresses {
  uint32_t sine;
  uint32_t cosine;
  uint32_t arcsine;
  uint32_t arccosine;
  uint32_t arctangent;
  uint32_t dampedSine;
  uint32_t decay;
  uint32_t exponential;  // 32-bit entries
  uint32_t waveform;
  uint32_t spectrum;
  uint32_t palettes;
  uint32_t randomState;
  uint32_t squareRoots;  // SmallSquareRoots()
  uint32_t reciprocals;  // SmallReciprocals(), 32-bit entries
};

// This program's own tables. In a WebAssembly build the addresses of the
// core's globals are their offsets in its linear memory.
WasmAddresses CoreAddresses();

// The module imports the memory as "env" "memory" and each runtime routine
// that it calls as "routine" NAME, the built-in's name: tan (i32) -> i32,
// sqrt (i32) -> i32 beyond 2^16 for sqrt and rad, and theta (a, b, context)
// -> i32 for the distances its inline form does not cover. The other
// built-ins are computed inline, from the same tables as the routines.
// It exports "row" (context) -> i32, which renders one row of the context
// in groups of four pixels, advancing the context's output pointer, and
// returns 1; or 0 where the generated code faults (the quotient or
// remainder of -2147483648 by -1), leaving the groups before it written.
// The module never traps. It reads the slots and the operand order that the
// statement's last compilation left in its tree, as the evaluator does.
std::vector<uint8_t> CompileToWasm(const Statement& statement, const WasmAddresses& addresses);

}  // namespace zorva
