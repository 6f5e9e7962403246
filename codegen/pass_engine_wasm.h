// The passes of a frame in the browser: each statement's row as the
// browser compiled it from the statement's WebAssembly module, and the
// reference evaluator until that row has come, or throughout when chosen.
#pragma once

#include <cstdint>

#include "codegen/statement.h"
#include "codegen/wasm_rows.h"

namespace zorva {

struct BrowserEngine {
  bool compiledRows = true;  // false: the evaluator only
  WasmRows rows{CoreAddresses()};
  uint32_t compiledPasses = 0;   // passes run by compiled rows
  uint32_t evaluatedPasses = 0;  // and by the evaluator
};

BrowserEngine& TheBrowserEngine();

// Renders every row of the pass through the compiled row, from y = height -
// step down to 0. False when a row faulted: the pass ends there, as the
// generated code's does.
bool RunCompiledRows(WasmRow row, const Statement& statement, RenderContext& context);

}  // namespace zorva
