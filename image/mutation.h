// Random edits of a statement's tree, in place. Every decision is a draw
// from the process-wide generator, in a fixed order: the same tree and the
// same generator state give the same new tree on every build.
#pragma once

#include <cstdint>

#include "lang/expr_tree.h"
#include "lang/symbol_table.h"

namespace zorva {

// New variable nodes name one of these.
constexpr const char* kMutationVariables[3] = {"x", "y", "t"};

// What one tree mutation carries through its walks.
struct MutationWalk {
  int32_t mode;  // 1 everywhere in the system
  bool changed;  // a node counted as changed: no further walk
  SymbolTable& symbols;
};

// One draw; true when it falls below `percent`, which mode 1 halves.
bool Chance(const MutationWalk& walk, int32_t percent);

// A new Var node naming kMutationVariables[draw % 3] (one draw).
ExprNode* RandomLeaf(const SymbolTable& symbols);

// Walks the tree again and again, at most 100 times, until some node has
// counted as changed; nothing for an empty tree. Edits that would make the
// printed text nest deeper than the parser reads are left out, their draws
// still taken.
void MutateTree(ExprTree& tree, SymbolTable& symbols, int32_t mode);

}  // namespace zorva
