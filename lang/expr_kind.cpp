#include "lang/expr_kind.h"

#include "lang/messages.h"

namespace zorva {
namespace {

using P = PrintItem;
using K = ExprKind;

struct Template {
  PrintItem items[kMaxPrintItems];
};

constexpr Template kPrintsNothing = {{P::End}};
constexpr Template kPrintsValue = {{P::Value, P::End}};
constexpr Template kPrintsName = {{P::Name, P::End}};
constexpr Template kInfix = {{P::Slot0, P::Op, P::Slot1, P::End}};
constexpr Template kPair = {{P::Op, P::Slot0, P::Extra0, P::Slot1, P::Extra1, P::End}};
constexpr Template kConditional = {{P::Slot2, P::Op, P::Slot0, P::Extra0, P::Slot1, P::End}};
constexpr Template kCallForm = {{P::Name, P::Op, P::Slot0, P::Extra0, P::End}};
constexpr Template kArgumentChain = {{P::Slot0, P::OpIfSlot1, P::Slot1, P::End}};
constexpr Template kPrefix = {{P::Op, P::Slot0, P::End}};
constexpr Template kOperandOnly = {{P::Slot0, P::End}};
constexpr Template kPostfix = {{P::Slot0, P::Op, P::End}};

constexpr KindDescriptor Row(const char* text, ExprKind base, int ops, bool commutative, int precedence,
                             int operandPrecedence, const Template& form, const char* extra0 = "",
                             const char* extra1 = "") {
  KindDescriptor row{text, base, ops, commutative, precedence, operandPrecedence, {}, {extra0, extra1}};
  for (int i = 0; i < kMaxPrintItems; ++i) row.print[i] = form.items[i];
  return row;
}

constexpr KindDescriptor kUnused = Row("", K::Const, 0, false, 0, 0, kPrintsNothing);

constexpr KindDescriptor Infix(const char* text, ExprKind base, bool commutative, int precedence) {
  return Row(text, base, 2, commutative, precedence, precedence, kInfix);
}
constexpr KindDescriptor Postfix(const char* text, ExprKind base, int precedence) {
  return Row(text, base, 1, false, precedence, precedence, kPostfix);
}
constexpr KindDescriptor InlineCall() { return Row("(", K::Call, 1, false, 0, 7, kCallForm, ")"); }

constexpr KindDescriptor kDescriptors[kKindCount] = {
    Row("", K::Const, 0, false, 0, 0, kPrintsValue),             // 0 Const
    Row("", K::Var, 0, false, 0, 0, kPrintsName),                // 1 Var
    Infix("+", K::Add, true, 3),                                 // 2 Add
    Infix("-", K::Sub, false, 3),                                // 3 Sub
    Infix("*", K::Mul, true, 2),                                 // 4 Mul
    Infix("/", K::Div, false, 2),                                // 5 Div
    Infix("%", K::Mod, false, 2),                                // 6 Mod
    Infix("<", K::Lt, false, 4),                                 // 7 Lt
    Infix(">", K::Gt, false, 4),                                 // 8 Gt
    Infix("==", K::Eq, false, 4),                                // 9 Eq
    Infix("<=", K::Le, false, 4),                                // 10 Le
    Infix(">=", K::Ge, false, 4),                                // 11 Ge
    Infix("<>", K::Ne, false, 4),                                // 12 Ne
    Infix("^", K::Pow, false, 1),                                // 13 Pow
    Infix("=", K::Assign, false, 6),                             // 14 Assign
    Row("[", K::Bracket, 2, false, 0, 7, kPair, ",", "]"),       // 15 Bracket
    Row("?", K::Cond, 3, false, 5, 7, kConditional, ":"),        // 16 Cond
    Row("(", K::Call, 1, false, 0, 7, kCallForm, ")"),           // 17 Call
    Row(",", K::ArgLink, 2, false, 0, 7, kArgumentChain),        // 18 ArgLink
    Row("-", K::Neg, 1, false, 0, 0, kPrefix),                   // 19 Neg
    Row("{", K::Brace, 2, false, 0, 7, kPair, ",", "}"),         // 20 Brace
    kUnused, kUnused, kUnused, kUnused, kUnused,                 // 21 to 25
    kUnused, kUnused, kUnused, kUnused, kUnused,                 // 26 to 30
    Row("", K::Var, 0, false, 0, 0, kPrintsName),                // 31 RegVar
    Row("", K::ArgLink, 1, false, 7, 7, kOperandOnly),           // 32 ArgOnly
    Row(",", K::ArgLink, 1, false, 0, 7, kArgumentChain),        // 33 ArgFirst
    Row("", K::ArgLink, 1, false, 0, 7, kOperandOnly),           // 34 ArgSecond
    Postfix("^2", K::Pow, 1),                                    // 35 Square
    Postfix("*1", K::Mul, 2),                                    // 36 MulBy1
    Postfix("*2", K::Mul, 2),                                    // 37 MulBy2
    Postfix("*3", K::Mul, 2),                                    // 38 MulBy3
    Postfix("*4", K::Mul, 2),                                    // 39 MulBy4
    Postfix("*5", K::Mul, 2),                                    // 40 MulBy5
    Postfix("*8", K::Mul, 2),                                    // 41 MulBy8
    Postfix("*9", K::Mul, 2),                                    // 42 MulBy9
    Postfix("/1", K::Div, 2),                                    // 43 DivBy1
    Postfix("/2", K::Div, 2),                                    // 44 DivBy2
    Postfix("/4", K::Div, 2),                                    // 45 DivBy4
    Postfix("/8", K::Div, 2),                                    // 46 DivBy8
    Postfix("/16", K::Div, 2),                                   // 47 DivBy16
    kUnused,                                                     // 48
    InlineCall(), InlineCall(), InlineCall(), InlineCall(),      // 49 to 52
    InlineCall(), InlineCall(), InlineCall(), InlineCall(),      // 53 to 56
    InlineCall(), InlineCall(), InlineCall(), InlineCall(),      // 57 to 60
    InlineCall(), InlineCall(), InlineCall(), InlineCall(),      // 61 to 64
    InlineCall(),                                                // 65
};

}  // namespace

const KindDescriptor& Descriptor(ExprKind kind) {
  const int index = static_cast<int>(kind);
  if (index < 0 || index >= kKindCount) {
    InternalError(kMsgNoDescriptor);
    return kUnused;
  }
  return kDescriptors[index];
}

}  // namespace zorva
