// What the code generator's rewrites decide about a node, for the engines
// that compute a statement without its generated code: the reference
// evaluator, the WebAssembly back end and the bench's printed C++.
#pragma once

#include <cstdint>

#include "codegen/builtin_table.h"
#include "lang/expr_node.h"

namespace zorva {

// The shift count of a division by a constant that compiles to SAR, or -1.
inline int ShiftOfDivisor(int32_t divisor) {
  switch (divisor) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    case 16: return 4;
    default: return -1;
  }
}

// The right operand when it is a constant, else null.
inline const ExprNode* ConstantRight(const ExprNode* node) {
  const ExprNode* right = node->child[1];
  return right != nullptr && right->kind == ExprKind::Const ? right : nullptr;
}

// The kind a call with `count` arguments compiles to: an inline built-in or
// a routine-calling kind (49 to 65), or Call.
inline int32_t CompiledCallKind(const BuiltinFunc& row, int32_t count) {
  if (count == row.maxArgs && row.kindAtMaxArgs != kStaysCall) return row.kindAtMaxArgs;
  if (count == row.minArgs && row.kindAtMinArgs != kStaysCall) return row.kindAtMinArgs;
  return static_cast<int32_t>(ExprKind::Call);
}

}  // namespace zorva
