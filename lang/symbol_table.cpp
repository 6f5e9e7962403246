#include "lang/symbol_table.h"

#include <cstring>

#include "lang/messages.h"

namespace zorva {
namespace {

constexpr const char* kVariables[] = {"x", "y", "X", "Y", "t", "T", "xm", "ym",
                                      "r", "g", "b", "p", "h", "s", "l"};

void LowerCaseInPlace(char* text) {
  for (; *text; ++text) {
    if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
  }
}

}  // namespace

SymbolTable::SymbolTable(const BuiltinFunc* table) : builtins(table) {
  for (int32_t row = 0; row < kBuiltinCount; ++row) AddFunction(table[row].name, row);
  for (const char* name : kVariables) AddVariable(name);
}

int32_t SymbolTable::Lookup(const char* name) const {
  for (int32_t i = 0; i < count; ++i) {
    if (std::strcmp(entries[i].name, name) == 0) return i;
  }
  return -1;
}

int32_t SymbolTable::FunctionOf(int32_t builtinRow) const {
  char lowered[kSymbolNameSize] = {};
  const char* name = builtins[builtinRow].name;
  if (std::strlen(name) >= kSymbolNameSize) return -1;
  std::strcpy(lowered, name);
  LowerCaseInPlace(lowered);
  return Lookup(lowered);
}

int32_t SymbolTable::AddVariable(const char* name) { return Add(name, SymbolKind::Variable, 0); }

// Built-in names are registered in lower case, whatever case they come in.
int32_t SymbolTable::AddFunction(const char* name, int32_t builtinRow) {
  char lowered[kSymbolNameSize] = {};
  if (std::strlen(name) < kSymbolNameSize) {
    std::strcpy(lowered, name);
    LowerCaseInPlace(lowered);
    name = lowered;
  }
  return Add(name, SymbolKind::Function, builtinRow);
}

int32_t SymbolTable::Add(const char* name, SymbolKind kind, int32_t builtinRow) {
  if (std::strlen(name) >= kSymbolNameSize) return -1;
  const int32_t existing = Lookup(name);
  if (existing >= 0) return existing;
  if (count == kMaxSymbols) {
    InternalError(kMsgTooManySymbols);
    return -1;
  }
  Symbol& symbol = entries[count];
  symbol = Symbol{};
  symbol.kind = kind;
  std::strcpy(symbol.name, name);
  symbol.builtin = builtinRow;
  symbol.cgClass = kind == SymbolKind::Function ? 1 : 0;
  return count++;
}

}  // namespace zorva
