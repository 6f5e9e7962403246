#include "lang/statement_roles.h"

namespace zorva {

Classification Classify(const ExprTree& tree, const SymbolTable& symbols) {
  if (AssignsTo(tree, symbols, "p")) return {StatementRole::Palette, 0};
  for (int letter = 0; letter < 6; ++letter) {
    const char name[] = {kChannelLetters[letter], '\0'};
    if (AssignsTo(tree, symbols, name)) return {StatementRole::Channel, letter};
  }
  return {StatementRole::Pixel, 0};
}

}  // namespace zorva
