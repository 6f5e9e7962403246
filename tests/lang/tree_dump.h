// Test helper: a tree's shape as text, e.g. "Add(x,1)" or "Call sin(Arg(x))".
#pragma once

#include <string>

#include "lang/expr_tree.h"
#include "lang/parser.h"

namespace zorva::testing {

// The parser's kinds 2 to 20 (Call prints apart).
inline const char* KindName(ExprKind kind) {
  static const char* const names[] = {"Add", "Sub", "Mul",    "Div",     "Mod",  "Lt", "Gt",  "Eq",  "Le",   "Ge",
                                      "Ne",  "Pow", "Assign", "Bracket", "Cond", "?",  "Arg", "Neg", "Brace"};
  const int index = static_cast<int>(kind) - 2;
  return index >= 0 && index < 19 ? names[index] : "?";
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
