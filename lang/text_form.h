// Prints trees back as expression text, with only the parentheses that
// precedence needs and no blanks.
#pragma once

#include <cstddef>
#include <string>

#include "lang/expr_tree.h"
#include "lang/symbol_table.h"

namespace zorva {

// The precedence a statement's root is printed under: nothing is wrapped.
constexpr int kStatementPrecedence = 7;

// Appends the text of `node` to `out`.
void PrintNode(const ExprNode* node, std::string& out, int parentPrecedence, const SymbolTable& symbols);

// What a bounded print wrote: `length` characters and a NUL. `complete` is
// false when the whole text did not fit and the buffer holds only its start;
// such a text must not be stored.
struct BoundedText {
  size_t length;
  bool complete;
};

// The statement's text followed by `suffix` (the suffix only when the
// statement printed something).
std::string StatementString(const ExprTree& tree, const SymbolTable& symbols, const char* suffix = "");

// StatementString into `buffer` of `capacity` bytes; never writes past it.
BoundedText StatementText(const ExprTree& tree, char* buffer, const SymbolTable& symbols, size_t capacity,
                          const char* suffix);

// One statement of an expression as the printer needs it.
struct StatementView {
  const ExprTree* tree;
  const SymbolTable* symbols;
};

// The text of an expression's statements in the given order, each but the
// last followed by `separator`: the palette statement or the channel
// statements, then the pixel statement.
std::string ExpressionString(const StatementView* statements, size_t count, const char* separator);

// ExpressionString into `buffer` of `capacity` bytes; never writes past it.
BoundedText ExpressionText(const StatementView* statements, size_t count, char* buffer, size_t capacity,
                           const char* separator);

}  // namespace zorva
