// The symbols of one statement: the 23 built-in functions, then the variables.
#pragma once

#include <cstdint>

#include "codegen/builtin_table.h"

namespace zorva {

constexpr int kMaxSymbols = 48;
constexpr int kSymbolNameSize = 8;

enum class SymbolKind : int32_t { Variable = 0, Function = 2 };

struct Symbol {
  SymbolKind kind = SymbolKind::Variable;
  char name[kSymbolNameSize] = {};
  int32_t useCount = 0;
  int32_t builtin = 0;  // functions: the row of the built-in table
  int32_t cgClass = 0;  // 1 for every function; the code generator marks variables
  int32_t slot = -1;    // the variable's value slot, given by the code generator
};

class SymbolTable {
 public:
  // The built-ins' rows come from `table` (23 rows in table order): the
  // product's own, or another with the same rows calling other routines.
  explicit SymbolTable(const BuiltinFunc* table = kBuiltins);
  SymbolTable(const SymbolTable&) = delete;
  SymbolTable& operator=(const SymbolTable&) = delete;

  // Case-sensitive; -1 when no symbol has that name.
  int32_t Lookup(const char* name) const;

  // The index of the new symbol, or of the existing one of that name; -1 for a
  // name of 8 or more characters and when the table is full (internal error).
  int32_t AddVariable(const char* name);
  int32_t AddFunction(const char* name, int32_t builtinRow);

  // The function symbol of a built-in table row, looked up by its
  // registered (lower-case) name; -1 when there is none.
  int32_t FunctionOf(int32_t builtinRow) const;

  Symbol& At(int32_t index) { return entries[index]; }
  const Symbol& At(int32_t index) const { return entries[index]; }
  int32_t Count() const { return count; }
  const BuiltinFunc& BuiltinOf(const Symbol& function) const { return builtins[function.builtin]; }

 private:
  int32_t Add(const char* name, SymbolKind kind, int32_t builtinRow);

  const BuiltinFunc* builtins;
  Symbol entries[kMaxSymbols];
  int32_t count = 0;
};

}  // namespace zorva
