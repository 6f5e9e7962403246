#include "codegen/pass_engine_wasm.h"

#include "codegen/reference_evaluator.h"

namespace zorva {

BrowserEngine& TheBrowserEngine() {
  static BrowserEngine engine;
  return engine;
}

bool RunCompiledRows(WasmRow row, const Statement& statement, RenderContext& context) {
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    statement.BindRow(context, y);
    if (row(&context) == 0) return false;
  }
  return true;
}

// A statement without code is skipped as the plug-in skips it, so that every
// engine agrees on which passes ran.
bool RunPasses(const Pass* passes, int count) {
  BrowserEngine& engine = TheBrowserEngine();
  bool completed = true;
  for (int i = 0; i < count; ++i) {
    const Pass& pass = passes[i];
    if (!pass.statement->HasCode()) {
      completed = false;
      continue;
    }
    const WasmRow row = engine.compiledRows ? engine.rows.Find(*pass.statement) : nullptr;
    if (row) ++engine.compiledPasses;
    else ++engine.evaluatedPasses;
    const bool whole = row ? RunCompiledRows(row, *pass.statement, *pass.context)
                           : EvaluateRows(*pass.statement, *pass.context);
    if (!whole) completed = false;
  }
  return completed;
}

}  // namespace zorva
