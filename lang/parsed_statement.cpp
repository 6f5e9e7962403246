#include "lang/parsed_statement.h"

#include "lang/parser.h"

namespace zorva {

std::unique_ptr<ParsedStatement> ParsedStatement::FromText(const char*& position, ErrorRecord& errors) {
  auto symbols = std::make_unique<SymbolTable>();
  std::unique_ptr<ExprTree> tree = ParseStatement(position, *symbols, errors);
  if (!tree) return nullptr;
  return std::unique_ptr<ParsedStatement>(new ParsedStatement(std::move(symbols), std::move(tree)));
}

std::unique_ptr<ParsedStatement> ParsedStatement::FromFixedText(const char* text) {
  ErrorRecord discarded;
  return FromText(text, discarded);
}

}  // namespace zorva
