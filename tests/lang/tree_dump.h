// Test helper: a tree's shape as text, e.g. "Add(x,1)" or "Call sin(Arg(x))".
#pragma once

#include <string>

#include "lang/expr_tree.h"
#include "lang/parser.h"

namespace zorva::testing {

inline const char* KindName(ExprKind kind) {
  switch (kind) {
    case ExprKind::Add: return "Add";
    case ExprKind::Sub: return "Sub";
    case ExprKind::Mul: return "Mul";
    case ExprKind::Div: return "Div";
    case ExprKind::Mod: return "Mod";
    case ExprKind::Lt: return "Lt";
    case ExprKind::Gt: return "Gt";
    case ExprKind::Eq: return "Eq";
    case ExprKind::Le: return "Le";
    case ExprKind::Ge: return "Ge";
    case ExprKind::Ne: return "Ne";
    case ExprKind::Pow: return "Pow";
    case ExprKind::Assign: return "Assign";
    case ExprKind::Bracket: return "Bracket";
    case ExprKind::Cond: return "Cond";
    case ExprKind::ArgLink: return "Arg";
    case ExprKind::Neg: return "Neg";
    case ExprKind::Brace: return "Brace";
    default: return "?";
  }
}

// Leaves print as their value or name; a node prints its slots in slot order.
inline std::string Dump(const ExprNode* node, const SymbolTable& symbols) {
  if (!node) return "-";
  switch (node->kind) {
    case ExprKind::Const: return std::to_string(node->value);
    case ExprKind::Var: return symbols.At(node->symbol).name;
    case ExprKind::Call: return std::string("Call ") + symbols.At(node->symbol).name + "(" + Dump(node->child[0], symbols) + ")";
    default: break;
  }
  std::string text = std::string(KindName(node->kind)) + "(";
  const int slots = Descriptor(node->kind).operandCount;
  for (int slot = 0; slot < slots; ++slot) {
    if (slot) text += ",";
    text += Dump(node->child[slot], symbols);
  }
  return text + ")";
}

// Parses one statement of `text`; "error: MESSAGE" when it fails.
inline std::string ParseDump(const char* text) {
  SymbolTable symbols;
  ErrorRecord errors;
  std::unique_ptr<ExprTree> tree = ParseStatement(text, symbols, errors);
  if (!tree) return std::string("error: ") + MessageOf(errors);
  return Dump(tree->Root(), symbols);
}

}  // namespace zorva::testing
