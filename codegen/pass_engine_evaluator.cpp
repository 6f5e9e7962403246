// The passes of a frame where no IA-32 code runs: the reference evaluator
// computes what the generated code would, pixel for pixel and draw for draw.
#include "codegen/reference_evaluator.h"
#include "codegen/statement.h"

namespace zorva {

// A statement without code is skipped as the plug-in skips it, so that both
// engines agree on which passes ran.
bool RunPasses(const Pass* passes, int count) {
  bool completed = true;
  for (int i = 0; i < count; ++i) {
    const Pass& pass = passes[i];
    if (!pass.statement->HasCode() || !EvaluateRows(*pass.statement, *pass.context)) completed = false;
  }
  return completed;
}

}  // namespace zorva
