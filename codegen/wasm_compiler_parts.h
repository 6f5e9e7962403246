// The compiler from a statement to a WebAssembly module, shared by its two
// files: the module, the row and the operators (wasm_compiler.cpp), and the
// built-in functions (wasm_builtins.cpp).
#pragma once

#include <cstdint>
#include <vector>

#include "codegen/builtin_table.h"
#include "codegen/wasm_compiler.h"
#include "codegen/wasm_encoder.h"

namespace zorva::wasm {

// The function types, by their index in the type section.
enum TypeIndex : uint32_t { kOneArgument, kWithContext, kPowerType, kTypeCount };
constexpr uint32_t kParameters[kTypeCount] = {1, 3, 2};

// The row function's locals; the used variable slots follow, then the
// temporaries. The centre and the channel are loaded only when read.
enum RowLocal : uint32_t {
  kContext, kX, kStep, kWidth, kOut, kGroup, kCount, kCenterX, kCenterY, kChannel, kFixedLocals
};

// The power helper's parameters and local.
enum PowerLocal : uint32_t { kBase, kExponent, kResult };

constexpr uint32_t kNone = 0xFFFFFFFF;

// The compiled kinds 49 to 57 are computed inline; the others call a
// routine, or are computed inline in its place.
inline bool CallsRoutine(int32_t compiledKind) { return compiledKind >= 58 || compiledKind < 49; }

// Writes one statement's module: survey the tree, write the row, then the
// sections around it.
class WasmCompiler {
 public:
  WasmCompiler(const Statement& statement, const WasmAddresses& addresses)
      : symbols(*statement.symbols), root(statement.tree->Root()), at(addresses) {}

  std::vector<uint8_t> Compile();

 private:
  void Survey(const ExprNode* node);
  void SurveyCall(const ExprNode* node);
  uint32_t SlotLocal(const ExprNode* variable) const;

  void RowBody();
  void Value(const ExprNode* node);
  void Subtract(const ExprNode* node);
  void Multiply(const ExprNode* node);
  void Divide(const ExprNode* node, bool remainder);
  void CheckedDivide(bool remainder, uint32_t dividend, uint32_t divisor);
  void Power(const ExprNode* node);
  void SourceByte(const ExprNode* node);
  void Conditional(const ExprNode* node);
  void CallBuiltin(const ExprNode* node);
  void Inline(int32_t compiledKind);
  void Import(int32_t row, uint32_t type);
  void ClampToByte();
  void TableByte(uint32_t table);
  void Exponential();
  void Volume();
  void Random();
  void Palette();
  void SquareRoot();
  void Radius();
  void Angle();

  uint32_t Temporary();
  void Release(uint32_t count) { temporaryDepth -= count; }

  void TypeSection(Bytes& module) const;
  void ImportSection(Bytes& module) const;
  void FunctionSections(Bytes& module) const;
  static Bytes PowerBody();

  const SymbolTable& symbols;
  const ExprNode* root;
  WasmAddresses at;
  Bytes code;
  uint32_t routineFunction[kBuiltinCount];
  uint32_t routineType[kBuiltinCount];
  uint32_t importCount = 0;
  uint32_t slotLocal[kVariableSlots];
  uint32_t firstTemporary = kFixedLocals;
  uint32_t temporaryDepth = 0;
  uint32_t temporaryCount = 0;
  bool usesPower = false;
  bool usesCenter = false;
  bool usesChannel = false;
};

}  // namespace zorva::wasm
