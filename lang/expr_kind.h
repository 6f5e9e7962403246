// Node kinds and the per-kind descriptor table that the printer, the walker
// and the code generator read.
#pragma once

#include <cstdint>

namespace zorva {

// 0 to 20 are built by the parser; 31 to 65 are given to existing nodes by
// the code generator while it compiles and turned back into their base kind
// afterwards. 21 to 30 and 48 belong to no node.
enum class ExprKind : int32_t {
  Const = 0,
  Var = 1,
  Add = 2,
  Sub = 3,
  Mul = 4,
  Div = 5,
  Mod = 6,
  Lt = 7,
  Gt = 8,
  Eq = 9,
  Le = 10,
  Ge = 11,
  Ne = 12,
  Pow = 13,
  Assign = 14,
  Bracket = 15,
  Cond = 16,
  Call = 17,
  ArgLink = 18,
  Neg = 19,
  Brace = 20,
  RegVar = 31,
  ArgOnly = 32,
  ArgFirst = 33,
  ArgSecond = 34,
  Square = 35,
  MulBy1 = 36,
  MulBy2 = 37,
  MulBy3 = 38,
  MulBy4 = 39,
  MulBy5 = 40,
  MulBy8 = 41,
  MulBy9 = 42,
  DivBy1 = 43,
  DivBy2 = 44,
  DivBy4 = 45,
  DivBy8 = 46,
  DivBy16 = 47,
  InlineCall49 = 49,
  InlineCall65 = 65,
};

constexpr int kKindCount = 66;

// One item of a kind's print template: the walker visits the operand slots in
// template order, the printer prints every item.
enum class PrintItem : uint8_t {
  End,        // closes a template
  Slot0,      // operand slot 0
  Slot1,      // operand slot 1
  Slot2,      // operand slot 2
  Op,         // the kind's operator text
  OpIfSlot1,  // the operator text, only when slot 1 is filled
  Extra0,     // the first extra text
  Extra1,     // the second extra text
  Value,      // a Const's value in signed decimal
  Name,       // the name of the node's symbol
};

constexpr int kMaxPrintItems = 6;

struct KindDescriptor {
  const char* text;       // operator text, at most 3 characters
  ExprKind base;          // the parser kind a derived kind stands for
  int32_t operandCount;   // operand slots in use
  bool commutative;
  int32_t precedence;     // the kind's own; lower binds tighter
  int32_t operandPrecedence;  // offered to its operands
  PrintItem print[kMaxPrintItems];
  const char* extra[2];
};

// The descriptor of a kind. A kind of 66 or more is internal error 3, and the
// caller goes on with a descriptor that prints and visits nothing.
const KindDescriptor& Descriptor(ExprKind kind);

// The slot number of a template item, or -1 for items that are no slot.
inline int SlotOf(PrintItem item) {
  switch (item) {
    case PrintItem::Slot0: return 0;
    case PrintItem::Slot1: return 1;
    case PrintItem::Slot2: return 2;
    default: return -1;
  }
}

}  // namespace zorva
