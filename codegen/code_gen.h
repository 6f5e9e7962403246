// Turns one parsed statement into the machine code of its row routine.
#pragma once

#include <memory>

#include "codegen/code_buffer.h"
#include "lang/expr_tree.h"
#include "lang/symbol_table.h"

namespace zorva {

// Rewrites node kinds, allocates registers, gives the used variables their
// slots and generates the row routine twice: a size pass, then an emit pass
// into executable memory of exactly that size. Afterwards the tree has its
// parser kinds again (a product by the constant 0 stays the constant 0, and
// commutative operands may have been exchanged), also when it fails. Null
// when no executable memory was obtained, and with internal error 21 when a
// node has no template or the emit pass did not fill the block exactly.
std::unique_ptr<CodeBuffer> Compile(const ExprTree& tree, SymbolTable& symbols);

}  // namespace zorva
