// One node of a parsed statement's tree.
#pragma once

#include <cstdint>

#include "lang/expr_kind.h"

namespace zorva {

constexpr uint32_t kCgFieldStart = 0x8000;
constexpr int32_t kNoSymbol = -1;

struct ExprNode {
  ExprKind kind;
  int32_t swapped = 0;            // the code generator exchanged slots 0 and 1
  ExprNode* allocLink = nullptr;  // the node made before this one in the same parse
  uint32_t cgUseMask = kCgFieldStart;
  uint32_t cgResult = kCgFieldStart;
  int32_t symbol = kNoSymbol;     // Var and Call: index into the statement's SymbolTable
  union {
    ExprNode* child[3];  // operand slots 0, 1, 2
    int32_t value;       // Const: the value, in place of slot 0
  };

  explicit ExprNode(ExprKind k, ExprNode* c0 = nullptr, ExprNode* c1 = nullptr, ExprNode* c2 = nullptr)
      : kind(k), child{c0, c1, c2} {}

  static ExprNode* MakeConst(int32_t constant) {
    ExprNode* node = new ExprNode(ExprKind::Const);
    node->value = constant;
    return node;
  }

  static ExprNode* MakeSymbol(ExprKind k, int32_t symbolIndex) {
    ExprNode* node = new ExprNode(k);
    node->symbol = symbolIndex;
    return node;
  }
};

}  // namespace zorva
