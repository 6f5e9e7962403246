// A plain tree interpreter with exactly the semantics of the generated code,
// for platforms where IA-32 code cannot run and as the oracle of its tests.
#pragma once

#include "codegen/render_context.h"
#include "codegen/statement.h"

namespace zorva {

// Renders the statement's rows into the context as RunRows does: the same
// bytes, the same order of rand draws. It reads the slots and the operand
// order that the statement's last compilation left in its tree. False when
// the evaluation meets the fault that the generated code would raise (the
// quotient or remainder of -2147483648 by -1); the pass then ends at that
// row, with its earlier groups of four pixels written, like the generated code.
bool EvaluateRows(const Statement& statement, RenderContext& context);

}  // namespace zorva
