// One statement of an expression text: its tree over its own symbol table.
#pragma once

#include <memory>

#include "lang/error_record.h"
#include "lang/expr_tree.h"
#include "lang/symbol_table.h"
#include "lang/text_form.h"

namespace zorva {

class ParsedStatement {
 public:
  // Parses the statement at `position` and moves it to where the next one
  // begins. Null on failure; `errors` then holds the message.
  static std::unique_ptr<ParsedStatement> FromText(const char*& position, ErrorRecord& errors);

  // For the texts the system supplies itself ("x", "p=pal(0)", "r=x" ...),
  // which always parse; a message would be discarded, never shown.
  static std::unique_ptr<ParsedStatement> FromFixedText(const char* text);

  const ExprTree& Tree() const { return *tree; }
  SymbolTable& Symbols() { return *symbols; }
  const SymbolTable& Symbols() const { return *symbols; }
  StatementView View() const { return {tree.get(), symbols.get()}; }

 private:
  ParsedStatement(std::unique_ptr<SymbolTable> symbols, std::unique_ptr<ExprTree> tree)
      : symbols(std::move(symbols)), tree(std::move(tree)) {}

  std::unique_ptr<SymbolTable> symbols;
  std::unique_ptr<ExprTree> tree;
};

}  // namespace zorva
