#include "codegen/reference_evaluator.h"

#include <cstring>

#include "codegen/builtin_table.h"
#include "codegen/lookup_tables.h"
#include "codegen/routines.h"
#include "codegen/sound_frame.h"

namespace zorva {

namespace {

using OneArgument = int32_t(ZORVA_ROUTINE_CALL*)(int32_t a);
using WithContext = int32_t(ZORVA_ROUTINE_CALL*)(int32_t a, int32_t b, const RenderContext* c);
using WithX = int32_t(ZORVA_ROUTINE_CALL*)(int32_t a, int32_t b, int32_t x, const RenderContext* c);

// The table keeps each routine as an address; the generated code calls it.
template <typename Routine>
Routine RoutineAs(const void* address) {
  return reinterpret_cast<Routine>(reinterpret_cast<uintptr_t>(address));
}

// Where IDIV would fault, `faulted` is set and the pass ends after the pixel.
// The rest of that pixel is still evaluated, but no routine is called any
// more, so rand draws nothing that the generated code would not; the other
// built-ins only read. A flag rather than an exception: WebAssembly builds
// catch none.
struct Evaluation {
  const SymbolTable& symbols;
  RenderContext& context;
  int32_t x;
  bool faulted;
};

int32_t Evaluate(const ExprNode* node, Evaluation& e);

int32_t Wrap(uint32_t value) { return static_cast<int32_t>(value); }

// The shift count of a division that compiles to SAR, or -1.
int ShiftOfDivisor(int32_t divisor) {
  switch (divisor) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    case 16: return 4;
    default: return -1;
  }
}

bool IsMultiplierWithoutImul(int32_t factor) {
  return factor == 1 || factor == 2 || factor == 3 || factor == 4 || factor == 5 || factor == 8 ||
         factor == 9;
}

const ExprNode* ConstantRight(const ExprNode* node) {
  const ExprNode* right = node->child[1];
  return right != nullptr && right->kind == ExprKind::Const ? right : nullptr;
}

int32_t Multiply(const ExprNode* node, Evaluation& e) {
  if (const ExprNode* factor = ConstantRight(node)) {
    if (factor->value == 0) return 0;  // the compiler drops both operands
    if (IsMultiplierWithoutImul(factor->value))
      return Wrap(static_cast<uint32_t>(Evaluate(node->child[0], e)) * factor->value);
  }
  const int32_t a = Evaluate(node->child[0], e);
  const int32_t b = Evaluate(node->child[1], e);
  return Wrap(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t Divide(const ExprNode* node, Evaluation& e, bool remainder) {
  if (const ExprNode* divisor = ConstantRight(node); divisor && !remainder) {
    const int shift = ShiftOfDivisor(divisor->value);
    if (shift >= 0) return Evaluate(node->child[0], e) >> shift;  // rounds toward minus infinity
  }
  const int32_t a = Evaluate(node->child[0], e);
  const int32_t b = Evaluate(node->child[1], e);
  if (b == 0) return a;
  if (a == INT32_MIN && b == -1) {
    e.faulted = true;
    return 0;
  }
  return remainder ? a % b : a / b;
}

int32_t Power(const ExprNode* node, Evaluation& e) {
  if (const ExprNode* exponent = ConstantRight(node); exponent && exponent->value == 2) {
    const uint32_t a = static_cast<uint32_t>(Evaluate(node->child[0], e));
    return Wrap(a * a);
  }
  uint32_t base = static_cast<uint32_t>(Evaluate(node->child[0], e));
  int32_t exponent = Evaluate(node->child[1], e);
  if (exponent < 0) return 0;
  // Repeated squaring, as the generated code computes it.
  uint32_t result = 1;
  for (; exponent != 0; exponent >>= 1, base *= base) {
    if (exponent & 1) result *= base;
  }
  return Wrap(result);
}

int32_t Compare(ExprKind kind, int32_t a, int32_t b) {
  switch (kind) {
    case ExprKind::Lt: return a < b;
    case ExprKind::Gt: return a > b;
    case ExprKind::Eq: return a == b;
    case ExprKind::Le: return a <= b;
    case ExprKind::Ge: return a >= b;
    default: return a != b;
  }
}

// [a,b]: a byte of the source image counted from its top row, 0 outside it.
int32_t SourceByte(const ExprNode* node, Evaluation& e) {
  const uint32_t a = static_cast<uint32_t>(Evaluate(node->child[0], e));
  const uint32_t b = static_cast<uint32_t>(Evaluate(node->child[1], e));
  const SourceImage& source = e.context.source;
  const uint32_t width = static_cast<uint32_t>(source.width);
  const uint32_t height = static_cast<uint32_t>(source.height);
  if (b >= height || a >= width) return 0;
  const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(source.bits)) + a +
                           static_cast<uint32_t>(source.stride) * (height - b - 1);
  return *reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(address));
}

// The kind a call compiles to, as the code generator chooses it.
int32_t CompiledCallKind(const BuiltinFunc& row, int32_t count) {
  if (count == row.maxArgs && row.kindAtMaxArgs != kStaysCall) return row.kindAtMaxArgs;
  if (count == row.minArgs && row.kindAtMinArgs != kStaysCall) return row.kindAtMinArgs;
  return static_cast<int32_t>(ExprKind::Call);
}

int32_t Triangle(int32_t a) {
  const int32_t t = a & 255;
  return t < 128 ? 2 * t : 255 - ((2 * t) & 255);
}

int32_t CallBuiltin(const ExprNode* node, Evaluation& e) {
  const BuiltinFunc& row = e.symbols.BuiltinOf(e.symbols.At(node->symbol));
  int32_t arguments[2] = {0, 0};
  int32_t count = 0;
  for (const ExprNode* link = node->child[0]; link != nullptr; link = link->child[1], ++count) {
    const int32_t value = Evaluate(link->child[0], e);
    if (count < 2) arguments[count] = value;
  }
  const int32_t a = arguments[0];
  const int32_t b = arguments[1];
  if (e.faulted) return 0;
  switch (CompiledCallKind(row, count)) {
    case 49: return a < 0 ? Wrap(0u - static_cast<uint32_t>(a)) : a;  // abs
    case 50: return cosineTable[a & 255];
    case 51: return sineTable[a & 255];
    case 52: return a < 0 ? 0 : a > 255 ? 255 : a;                      // peg
    case 53: return (2 * static_cast<uint32_t>(a)) & 255;                // saw
    case 54: return Triangle(a);
    case 55: case 56: return soundWaveform[2 * (a & 255)];
    case 57: return soundWaveform[2 * (a & 255) + 1];
    case 58: return RoutineAs<WithX>(row.routine)(a, b, e.x, &e.context);
    case 59: return RoutineAs<WithX>(row.routine)(a, 0, e.x, &e.context);
    case 65: return RoutineAs<WithContext>(row.routine)(a, b, &e.context);
    default: return RoutineAs<OneArgument>(row.routine)(a);
  }
}

int32_t Variable(const ExprNode* node, Evaluation& e) {
  const Symbol& symbol = e.symbols.At(node->symbol);
  if (std::strcmp(symbol.name, "x") == 0) return e.x;  // x lives in a register
  if (symbol.slot < 0 || symbol.slot >= kVariableSlots) return 0;
  return e.context.slots[symbol.slot];
}

// Operands are evaluated in the order in which their templates generate them.
int32_t Evaluate(const ExprNode* node, Evaluation& e) {
  const ExprKind kind = Descriptor(node->kind).base;
  const ExprNode* const* c = node->child;
  switch (kind) {
    case ExprKind::Const: return node->value;
    case ExprKind::Var: return Variable(node, e);
    case ExprKind::Add: {
      const int32_t a = Evaluate(c[0], e);
      return Wrap(static_cast<uint32_t>(a) + static_cast<uint32_t>(Evaluate(c[1], e)));
    }
    case ExprKind::Sub: {
      const int32_t b = Evaluate(c[1], e);
      return Wrap(static_cast<uint32_t>(Evaluate(c[0], e)) - static_cast<uint32_t>(b));
    }
    case ExprKind::Mul: return Multiply(node, e);
    case ExprKind::Div: return Divide(node, e, false);
    case ExprKind::Mod: return Divide(node, e, true);
    case ExprKind::Lt: case ExprKind::Gt: case ExprKind::Eq:
    case ExprKind::Le: case ExprKind::Ge: case ExprKind::Ne: {
      const int32_t a = Evaluate(c[0], e);
      return Compare(kind, a, Evaluate(c[1], e));
    }
    case ExprKind::Pow: return Power(node, e);
    case ExprKind::Assign: return Evaluate(c[1], e);
    case ExprKind::Bracket: return SourceByte(node, e);
    case ExprKind::Cond: return Evaluate(c[2], e) != 0 ? Evaluate(c[0], e) : Evaluate(c[1], e);
    case ExprKind::Call: return CallBuiltin(node, e);
    case ExprKind::Neg: return Wrap(0u - static_cast<uint32_t>(Evaluate(c[0], e)));
    case ExprKind::Brace:
      Evaluate(c[0], e);
      Evaluate(c[1], e);
      return 0;
    default: return 0;
  }
}

// One row in groups of four pixels, each group stored as the generated code
// stores it, so a fault leaves exactly the earlier groups written. False
// after a fault.
bool EvaluateRow(const Statement& statement, RenderContext& context) {
  Evaluation e{*statement.symbols, context, 0, false};
  do {
    uint32_t group = 0;
    for (int k = 0; k < 4; ++k) {
      group |= static_cast<uint32_t>(Evaluate(statement.tree->Root(), e) & 255) << (8 * k);
      if (e.faulted) return false;
      e.x = Wrap(static_cast<uint32_t>(e.x) + static_cast<uint32_t>(context.step));
    }
    std::memcpy(context.out, &group, 4);
    context.out += 4;
  } while (e.x < context.width);
  return true;
}

}  // namespace

bool EvaluateRows(const Statement& statement, RenderContext& context) {
  if (!statement.tree || !statement.symbols) return false;
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    statement.BindVariable(context, "y", y);
    if (!EvaluateRow(statement, context)) return false;
  }
  return true;
}

}  // namespace zorva
