// Turns one statement of an expression text into a tree.
#pragma once

#include <memory>

#include "lang/error_record.h"
#include "lang/expr_tree.h"
#include "lang/symbol_table.h"

namespace zorva {

// Deeper input is refused with message 28 instead of overflowing the stack of
// the recursive parser, walker, printer and code generator: at most this many
// primaries (each "(", unary "-", call and bracket opens one) may be open at
// once, and a finished tree may be at most this many nodes deep.
constexpr int kMaxNesting = 400;

// Parses the statement that starts at `position` over `symbols`. On success
// moves `position` to where the next statement begins (the terminating NUL
// when the text is used up). On failure returns null, leaves no node behind
// and `errors` holds the text's first message.
std::unique_ptr<ExprTree> ParseStatement(const char*& position, const SymbolTable& symbols, ErrorRecord& errors);

}  // namespace zorva
