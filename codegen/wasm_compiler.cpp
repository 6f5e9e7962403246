#include "codegen/wasm_compiler.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

#include "codegen/compiled_forms.h"
#include "codegen/lookup_tables.h"
#include "codegen/random.h"
#include "codegen/routines.h"
#include "codegen/sound_frame.h"
#include "codegen/wasm_compiler_parts.h"
#include "image/palettes.h"

namespace zorva {

namespace wasm {

namespace {

constexpr uint32_t kStepAt = offsetof(RenderContext, step);
constexpr uint32_t kWidthAt = offsetof(RenderContext, width);
constexpr uint32_t kOutAt = offsetof(RenderContext, out);
constexpr uint32_t kCenterXAt = offsetof(RenderContext, centerX);
constexpr uint32_t kCenterYAt = offsetof(RenderContext, centerY);
constexpr uint32_t kChannelAt = offsetof(RenderContext, channel);
constexpr uint32_t kSourceAt = offsetof(RenderContext, source);
constexpr uint32_t kSourceBitsAt = kSourceAt + offsetof(SourceImage, bits);
constexpr uint32_t kSourceWidthAt = kSourceAt + offsetof(SourceImage, width);
constexpr uint32_t kSourceHeightAt = kSourceAt + offsetof(SourceImage, height);
constexpr uint32_t kSourceStrideAt = kSourceAt + offsetof(SourceImage, stride);
constexpr uint32_t kSlotsAt = offsetof(RenderContext, slots);

bool IsLeaf(const ExprNode* node) {
  const ExprKind base = Descriptor(node->kind).base;
  return base == ExprKind::Const || base == ExprKind::Var;
}

int32_t ArgumentCount(const ExprNode* call) {
  int32_t count = 0;
  for (const ExprNode* link = call->child[0]; link != nullptr; link = link->child[1]) ++count;
  return count;
}

// i32 comparisons give 0 or 1, as SETcc and the AND after it do.
Op ComparisonOp(ExprKind kind) {
  switch (kind) {
    case ExprKind::Lt: return kI32LtS;
    case ExprKind::Gt: return kI32GtS;
    case ExprKind::Eq: return kI32Eq;
    case ExprKind::Le: return kI32LeS;
    case ExprKind::Ge: return kI32GeS;
    default: return kI32Ne;
  }
}

}  // namespace

std::vector<uint8_t> WasmCompiler::Compile() {
  for (uint32_t& f : routineFunction) f = kNone;
  for (uint32_t& local : slotLocal) local = kNone;
  Survey(root);
  // Imports are numbered in row order, so that the bytes depend only on
  // which routines the statement calls.
  for (int row = 0; row < kBuiltinCount; ++row)
    if (routineFunction[row] != kNone) routineFunction[row] = importCount++;
  for (uint32_t& local : slotLocal)
    if (local != kNone) local = firstTemporary++;
  RowBody();
  Bytes module;
  Preamble(module);
  TypeSection(module);
  ImportSection(module);
  FunctionSections(module);
  return module.data;
}

// Finds the routines, the variable slots and the helpers that the code uses.
void WasmCompiler::Survey(const ExprNode* node) {
  if (node == nullptr) return;
  const ExprKind base = Descriptor(node->kind).base;
  if (base == ExprKind::Const) return;
  if (base == ExprKind::Var) {
    const Symbol& symbol = symbols.At(node->symbol);
    if (std::strcmp(symbol.name, "x") != 0 && symbol.slot >= 0 && symbol.slot < kVariableSlots)
      slotLocal[symbol.slot] = 0;
    return;
  }
  if (base == ExprKind::Call) SurveyCall(node);
  const ExprNode* exponent = ConstantRight(node);
  if (base == ExprKind::Pow && !(exponent && exponent->value == 2)) usesPower = true;
  for (const ExprNode* child : node->child) Survey(child);
}

// Which routines the inline forms still call, and what they read per row.
void WasmCompiler::SurveyCall(const ExprNode* node) {
  const int32_t row = symbols.At(node->symbol).builtin;
  if (!CallsRoutine(CompiledCallKind(kBuiltins[row], ArgumentCount(node)))) return;
  switch (row) {
    case kBuiltinTan: return Import(row, kOneArgument);
    case kBuiltinSqrt: return Import(row, kOneArgument);
    case kBuiltinRad:
      usesCenter = true;
      return Import(kBuiltinSqrt, kOneArgument);
    case kBuiltinTheta:
      usesCenter = true;
      return Import(kBuiltinTheta, kWithContext);
    case kBuiltinPal: usesChannel = true; return;
    default: return;
  }
}

void WasmCompiler::Import(int32_t row, uint32_t type) {
  routineFunction[row] = 0;
  routineType[row] = type;
}

uint32_t WasmCompiler::SlotLocal(const ExprNode* variable) const {
  const Symbol& symbol = symbols.At(variable->symbol);
  if (std::strcmp(symbol.name, "x") == 0) return kX;
  if (symbol.slot < 0 || symbol.slot >= kVariableSlots) return kNone;
  return slotLocal[symbol.slot];
}

uint32_t WasmCompiler::Temporary() {
  const uint32_t local = firstTemporary + temporaryDepth++;
  if (temporaryDepth > temporaryCount) temporaryCount = temporaryDepth;
  return local;
}

// Loads what stays fixed for the row, then evaluates the expression for
// four pixels a group, shifting each value's low byte into the group from
// the top, and stores each group whole, as the row routine does.
void WasmCompiler::RowBody() {
  Bytes& c = code;
  std::vector<std::pair<RowLocal, uint32_t>> loads = {{kStep, kStepAt}, {kWidth, kWidthAt}, {kOut, kOutAt}};
  if (usesCenter) loads.insert(loads.end(), {{kCenterX, kCenterXAt}, {kCenterY, kCenterYAt}});
  if (usesChannel) loads.push_back({kChannel, kChannelAt});
  for (auto [local, offset] : loads) {
    c.LocalGet(kContext);
    c.Load32(offset);
    c.LocalSet(local);
  }
  for (int slot = 0; slot < kVariableSlots; ++slot) {
    if (slotLocal[slot] == kNone) continue;
    c.LocalGet(kContext);
    c.Load32(kSlotsAt + 4 * slot);
    c.LocalSet(slotLocal[slot]);
  }
  c.Op(kLoop);
  c.Byte(kBlockVoid);
  c.Const(4);
  c.LocalSet(kCount);
  c.Op(kLoop);
  c.Byte(kBlockVoid);
  c.LocalGet(kGroup);
  c.Const(8);
  c.Op(kI32ShrU);
  Value(root);
  c.Const(24);
  c.Op(kI32Shl);
  c.Op(kI32Or);
  c.LocalSet(kGroup);
  c.LocalGet(kX);
  c.LocalGet(kStep);
  c.Op(kI32Add);
  c.LocalSet(kX);
  c.LocalGet(kCount);
  c.Const(1);
  c.Op(kI32Sub);
  c.LocalTee(kCount);
  c.Branch(kBrIf, 0);
  c.Op(kEnd);
  c.LocalGet(kOut);
  c.LocalGet(kGroup);
  c.Store32(0);
  c.LocalGet(kOut);
  c.Const(4);
  c.Op(kI32Add);
  c.LocalSet(kOut);
  c.LocalGet(kX);
  c.LocalGet(kWidth);
  c.Op(kI32LtS);
  c.Branch(kBrIf, 0);
  c.Op(kEnd);
  c.LocalGet(kContext);
  c.LocalGet(kOut);
  c.Store32(kOutAt);
  c.Const(1);
  c.Op(kEnd);
}

// Operands are evaluated in the order in which their templates generate
// them, so that rand draws alike and a fault comes at the same point.
void WasmCompiler::Value(const ExprNode* node) {
  const ExprKind kind = Descriptor(node->kind).base;
  const ExprNode* const* child = node->child;
  switch (kind) {
    case ExprKind::Const: return code.Const(node->value);
    case ExprKind::Var: {
      const uint32_t local = SlotLocal(node);
      if (local == kNone) return code.Const(0);
      return code.LocalGet(local);
    }
    case ExprKind::Add:
      Value(child[0]);
      Value(child[1]);
      return code.Op(kI32Add);
    case ExprKind::Sub: return Subtract(node);
    case ExprKind::Mul: return Multiply(node);
    case ExprKind::Div: return Divide(node, false);
    case ExprKind::Mod: return Divide(node, true);
    case ExprKind::Lt: case ExprKind::Gt: case ExprKind::Eq:
    case ExprKind::Le: case ExprKind::Ge: case ExprKind::Ne:
      Value(child[0]);
      Value(child[1]);
      return code.Op(ComparisonOp(kind));
    case ExprKind::Pow: return Power(node);
    case ExprKind::Assign: return Value(child[1]);
    case ExprKind::Bracket: return SourceByte(node);
    case ExprKind::Cond: return Conditional(node);
    case ExprKind::Call: return CallBuiltin(node);
    case ExprKind::Neg:
      code.Const(0);
      Value(child[0]);
      return code.Op(kI32Sub);
    case ExprKind::Brace:
      Value(child[0]);
      code.Op(kDrop);
      Value(child[1]);
      code.Op(kDrop);
      return code.Const(0);
    default: return code.Const(0);
  }
}

// The template evaluates the right operand first; when either is a leaf the
// order cannot show.
void WasmCompiler::Subtract(const ExprNode* node) {
  const ExprNode* const* child = node->child;
  if (IsLeaf(child[0]) || IsLeaf(child[1])) {
    Value(child[0]);
    Value(child[1]);
  } else {
    const uint32_t right = Temporary();
    Value(child[1]);
    code.LocalSet(right);
    Value(child[0]);
    code.LocalGet(right);
    Release(1);
  }
  code.Op(kI32Sub);
}

void WasmCompiler::Multiply(const ExprNode* node) {
  if (const ExprNode* factor = ConstantRight(node); factor && factor->value == 0) return code.Const(0);
  Value(node->child[0]);
  Value(node->child[1]);
  code.Op(kI32Mul);
}

void WasmCompiler::Divide(const ExprNode* node, bool remainder) {
  const ExprNode* divisor = ConstantRight(node);
  const Op op = remainder ? kI32RemS : kI32DivS;
  if (divisor && !remainder && ShiftOfDivisor(divisor->value) >= 0) {
    Value(node->child[0]);
    if (divisor->value == 1) return;
    code.Const(ShiftOfDivisor(divisor->value));
    return code.Op(kI32ShrS);
  }
  if (divisor && divisor->value == 0) return Value(node->child[0]);
  if (divisor && divisor->value != -1) {  // cannot fault
    Value(node->child[0]);
    code.Const(divisor->value);
    return code.Op(op);
  }
  const uint32_t dividend = Temporary();
  const uint32_t by = Temporary();
  Value(node->child[0]);
  code.LocalSet(dividend);
  Value(node->child[1]);
  code.LocalSet(by);
  CheckedDivide(remainder, dividend, by);
  Release(2);
}

// A divisor of 0 yields the dividend; -1 gives -a or 0 directly, and faults
// for -2147483648 as IDIV does: the row ends, returning 0. One unsigned
// comparison tells both apart from the usual case.
void WasmCompiler::CheckedDivide(bool remainder, uint32_t dividend, uint32_t by) {
  Bytes& c = code;
  c.LocalGet(by);
  c.Const(1);
  c.Op(kI32Add);
  c.Const(1);
  c.Op(kI32LeU);
  c.If();
  c.LocalGet(by);
  c.If();
  c.LocalGet(dividend);
  c.Const(INT32_MIN);
  c.Op(kI32Eq);
  c.Op(kIf);
  c.Byte(kBlockVoid);
  c.Const(0);
  c.Op(kReturn);
  c.Op(kEnd);
  if (remainder) {
    c.Const(0);
  } else {
    c.Const(0);
    c.LocalGet(dividend);
    c.Op(kI32Sub);
  }
  c.Op(kElse);
  c.LocalGet(dividend);
  c.Op(kEnd);
  c.Op(kElse);
  c.LocalGet(dividend);
  c.LocalGet(by);
  c.Op(remainder ? kI32RemS : kI32DivS);
  c.Op(kEnd);
}

void WasmCompiler::Power(const ExprNode* node) {
  if (const ExprNode* exponent = ConstantRight(node); exponent && exponent->value == 2) {
    const uint32_t base = Temporary();
    Value(node->child[0]);
    code.LocalTee(base);
    code.LocalGet(base);
    code.Op(kI32Mul);
    return Release(1);
  }
  Value(node->child[0]);
  Value(node->child[1]);
  code.Call(importCount + 1);  // the power helper follows the row function
}

// [a,b]: a byte of the source image counted from its top row, 0 outside it.
void WasmCompiler::SourceByte(const ExprNode* node) {
  Bytes& c = code;
  const uint32_t a = Temporary();
  const uint32_t b = Temporary();
  Value(node->child[0]);
  c.LocalSet(a);
  Value(node->child[1]);
  c.LocalSet(b);
  c.LocalGet(b);
  c.LocalGet(kContext);
  c.Load32(kSourceHeightAt);
  c.Op(kI32GeU);
  c.LocalGet(a);
  c.LocalGet(kContext);
  c.Load32(kSourceWidthAt);
  c.Op(kI32GeU);
  c.Op(kI32Or);
  c.If();
  c.Const(0);
  c.Op(kElse);
  c.LocalGet(kContext);
  c.Load32(kSourceBitsAt);
  c.LocalGet(a);
  c.Op(kI32Add);
  c.LocalGet(kContext);
  c.Load32(kSourceStrideAt);
  c.LocalGet(kContext);
  c.Load32(kSourceHeightAt);
  c.LocalGet(b);
  c.Op(kI32Sub);
  c.Const(1);
  c.Op(kI32Sub);
  c.Op(kI32Mul);
  c.Op(kI32Add);
  c.Load8(0);
  c.Op(kEnd);
  Release(2);
}

// c?a:b keeps its condition in slot 2.
void WasmCompiler::Conditional(const ExprNode* node) {
  Value(node->child[2]);
  code.If();
  Value(node->child[0]);
  code.Op(kElse);
  Value(node->child[1]);
  code.Op(kEnd);
}
void WasmCompiler::TypeSection(Bytes& module) const {
  Bytes types;
  types.Unsigned(kTypeCount);
  for (uint32_t parameters : kParameters) {
    types.Byte(kTypeFunction);
    types.Unsigned(parameters);
    for (uint32_t i = 0; i < parameters; ++i) types.Byte(kTypeI32);
    types.Unsigned(1);
    types.Byte(kTypeI32);
  }
  module.Section(kTypeSection, types);
}

void WasmCompiler::ImportSection(Bytes& module) const {
  Bytes imports;
  imports.Unsigned(importCount + 1);
  imports.Name("env");
  imports.Name("memory");
  imports.Byte(kExternalMemory);
  imports.Byte(0);  // no maximum
  imports.Unsigned(0);
  for (int row = 0; row < kBuiltinCount; ++row) {
    if (routineFunction[row] == kNone) continue;
    std::string name = kBuiltins[row].name;
    for (char& letter : name) letter = static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter + 32 : letter);
    imports.Name("routine");
    imports.Name(name);
    imports.Byte(kExternalFunction);
    imports.Unsigned(routineType[row]);
  }
  module.Section(kImportSection, imports);
}

void WasmCompiler::FunctionSections(Bytes& module) const {
  Bytes functions;
  functions.Unsigned(usesPower ? 2 : 1);
  functions.Unsigned(kOneArgument);  // row (context) -> i32
  if (usesPower) functions.Unsigned(kPowerType);
  module.Section(kFunctionSection, functions);

  Bytes exports;
  exports.Unsigned(1);
  exports.Name("row");
  exports.Byte(kExternalFunction);
  exports.Unsigned(importCount);
  module.Section(kExportSection, exports);

  Bytes row;
  row.Unsigned(1);  // one run of locals, all i32
  row.Unsigned(firstTemporary + temporaryCount - 1);
  row.Byte(kTypeI32);
  row.data.insert(row.data.end(), code.data.begin(), code.data.end());
  Bytes bodies;
  bodies.Unsigned(usesPower ? 2 : 1);
  bodies.Sized(row);
  if (usesPower) bodies.Sized(PowerBody());
  module.Section(kCodeSection, bodies);
}

// (base, exponent) -> base^exponent by repeated squaring, 0 for a negative
// exponent, wrapping at 32 bits.
Bytes WasmCompiler::PowerBody() {
  Bytes c;
  c.Unsigned(1);
  c.Unsigned(1);
  c.Byte(kTypeI32);
  c.LocalGet(kExponent);
  c.Const(0);
  c.Op(kI32LtS);
  c.Op(kIf);
  c.Byte(kBlockVoid);
  c.Const(0);
  c.Op(kReturn);
  c.Op(kEnd);
  c.Const(1);
  c.LocalSet(kResult);
  c.Op(kBlock);
  c.Byte(kBlockVoid);
  c.Op(kLoop);
  c.Byte(kBlockVoid);
  c.LocalGet(kExponent);
  c.Op(kI32Eqz);
  c.Branch(kBrIf, 1);
  c.LocalGet(kExponent);
  c.Const(1);
  c.Op(kI32And);
  c.Op(kIf);
  c.Byte(kBlockVoid);
  c.LocalGet(kResult);
  c.LocalGet(kBase);
  c.Op(kI32Mul);
  c.LocalSet(kResult);
  c.Op(kEnd);
  c.LocalGet(kBase);
  c.LocalGet(kBase);
  c.Op(kI32Mul);
  c.LocalSet(kBase);
  c.LocalGet(kExponent);
  c.Const(1);
  c.Op(kI32ShrU);
  c.LocalSet(kExponent);
  c.Branch(kBr, 0);
  c.Op(kEnd);
  c.Op(kEnd);
  c.LocalGet(kResult);
  c.Op(kEnd);
  return c;
}

}  // namespace wasm

namespace {

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

}  // namespace

WasmAddresses CoreAddresses() {
  return {Address(sineTable),        Address(cosineTable),     Address(arcsineTable),
          Address(arccosineTable),   Address(arctangentTable), Address(dampedSineTable),
          Address(decayTable),       Address(exponentialTable), Address(soundWaveform),
          Address(soundSpectrum),    Address(BuiltinPalettes),  Address(&randomState),
          Address(SmallSquareRoots()), Address(SmallReciprocals())};
}

std::vector<uint8_t> CompileToWasm(const Statement& statement, const WasmAddresses& addresses) {
  return wasm::WasmCompiler(statement, addresses).Compile();
}

}  // namespace zorva
