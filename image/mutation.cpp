#include "image/mutation.h"

#include <algorithm>

#include "codegen/builtin_table.h"
#include "codegen/random.h"
#include "codegen/statement.h"
#include "lang/parser.h"

namespace zorva {
namespace {

constexpr int kMaxWalks = 100;
constexpr uint32_t kAssignedValueOnly = 2;  // an Assign: slot 1, never the variable
constexpr uint32_t kReadsSound = 14;        // the waveform, spectrum and volume bits of `needs`

// The nominal percentages of each decision; Chance applies them.
constexpr int32_t kGatePercent = 20;
constexpr int32_t kInsertPercent = 33;
constexpr int32_t kWrapPercent = 20;
constexpr int32_t kConstToVarPercent = 20;
constexpr int32_t kNudgePercent = 80;
constexpr int32_t kOtherVariablePercent = 10;
constexpr int32_t kVarToConstPercent = 30;
constexpr int32_t kDropOperandPercent = 12;

// Indexed by a draw, so the order is part of the draw sequence.
constexpr ExprKind kInsertedOperators[] = {ExprKind::Add, ExprKind::Sub, ExprKind::Mul};
constexpr ExprKind kArithmeticOperators[] = {ExprKind::Mul, ExprKind::Add, ExprKind::Sub, ExprKind::Div,
                                             ExprKind::Mod};

int32_t Draw(int32_t below) { return DrawRandom() % below; }

int32_t RandomVariable(const SymbolTable& symbols) { return symbols.Lookup(kMutationVariables[Draw(3)]); }

// Levels of the node's text as the parser counts them when it reads it back:
// a negative constant reads as a negation over its magnitude, two levels.
int PrintedDepth(const ExprNode* node) {
  if (node->kind == ExprKind::Const) return node->value < 0 ? 2 : 1;
  int deepest = 0;
  ForEachOperand(node, kVisitAllSlots,
                 [&](const ExprNode* operand) { deepest = std::max(deepest, PrintedDepth(operand)); });
  return 1 + deepest;
}

// A constant at `depth` (the root is at 1) whose text still reads back.
bool ConstantFits(int32_t value, int depth) { return value >= 0 || depth + 1 <= kMaxNesting; }

bool HasTwoOperands(ExprKind kind) { return kind != ExprKind::Assign && Descriptor(kind).operandCount == 2; }

// A built-in call around `operand`, with a variable as second argument when
// the built-in takes two. Null for pal, which is never introduced.
ExprNode* Wrap(ExprNode* operand, const SymbolTable& symbols) {
  const int32_t row = Draw(kBuiltinCount);
  const BuiltinFunc& function = kBuiltins[row];
  if (function.needs & kNeedsPalette) return nullptr;
  ExprNode* first = new ExprNode(ExprKind::ArgLink, operand);
  if (function.maxArgs == 2) first->child[1] = new ExprNode(ExprKind::ArgLink, RandomLeaf(symbols));
  ExprNode* call = ExprNode::MakeSymbol(ExprKind::Call, symbols.FunctionOf(row));
  call->child[0] = first;
  return call;
}

// `operand` + - or * a digit or a variable.
ExprNode* InsertOperator(ExprNode* operand, const SymbolTable& symbols) {
  const ExprKind kind = kInsertedOperators[Draw(3)];
  ExprNode* second = Draw(100) < 50 ? ExprNode::MakeConst(Draw(10)) : RandomLeaf(symbols);
  return new ExprNode(kind, operand, second);
}

// Where Wrap or InsertOperator hung the node's former first operand.
ExprNode*& HeldOperand(ExprNode* inserted) {
  return inserted->kind == ExprKind::Call ? inserted->child[0]->child[0] : inserted->child[0];
}

void Insert(ExprNode* node, int depth, const MutationWalk& walk) {
  ExprNode* inserted =
      Chance(walk, kWrapPercent) ? Wrap(node->child[0], walk.symbols) : InsertOperator(node->child[0], walk.symbols);
  if (!inserted) return;
  if (depth + PrintedDepth(inserted) > kMaxNesting) {
    HeldOperand(inserted) = nullptr;
    DeleteTree(inserted);
    return;
  }
  node->child[0] = inserted;
}

void BecomeVariable(ExprNode* node, int32_t symbol) {
  node->kind = ExprKind::Var;
  node->child[0] = node->child[1] = node->child[2] = nullptr;
  node->symbol = symbol;
}

void BecomeConstant(ExprNode* node, int32_t value) {
  node->kind = ExprKind::Const;
  node->symbol = kNoSymbol;
  node->value = value;
}

void MutateConst(ExprNode* node, int depth, const MutationWalk& walk) {
  if (Chance(walk, kConstToVarPercent)) return BecomeVariable(node, RandomVariable(walk.symbols));
  if (!Chance(walk, kNudgePercent)) return;
  const uint32_t step = static_cast<uint32_t>(Draw(40) - 20);
  const int32_t nudged = static_cast<int32_t>(static_cast<uint32_t>(node->value) + step);
  if (ConstantFits(nudged, depth)) node->value = nudged;
}

void MutateVar(ExprNode* node, int depth, const MutationWalk& walk) {
  if (Chance(walk, kOtherVariablePercent)) {
    node->symbol = RandomVariable(walk.symbols);
    return;
  }
  if (!Chance(walk, kVarToConstPercent)) return;
  const int32_t value = Draw(40) - 20;
  if (ConstantFits(value, depth)) BecomeConstant(node, value);
}

void MutateArithmetic(ExprNode* node, const MutationWalk& walk) {
  if (Chance(walk, kDropOperandPercent)) {
    const int slot = Draw(2);
    DeleteTree(node->child[slot]);
    node->child[slot] = ExprNode::MakeConst(Draw(10));
    return;
  }
  node->kind = kArithmeticOperators[Draw(5)];
  // The code generator may have exchanged the operands of a + or a *, which
  // then print in their parsed order. For - / % that order would show the
  // opposite of what the code computes, so the text follows the slots.
  if (!Descriptor(node->kind).commutative) node->swapped = 0;
}

// Keeps the first `count` argument links and deletes the rest.
void CutArguments(ExprNode* call, int32_t count) {
  ExprNode* last = call->child[0];
  for (int32_t i = 1; i < count && last; ++i) last = last->child[1];
  if (!last) return;
  DeleteTree(last->child[1]);
  last->child[1] = nullptr;
}

// Another built-in that takes no more arguments; pal stays and never comes,
// and what reads the sound keeps reading it.
void MutateCall(ExprNode* node, const MutationWalk& walk) {
  const BuiltinFunc& old = walk.symbols.BuiltinOf(walk.symbols.At(node->symbol));
  const int32_t row = Draw(kBuiltinCount);
  const BuiltinFunc& chosen = kBuiltins[row];
  if (((chosen.needs | old.needs) & kNeedsPalette) || chosen.maxArgs > old.maxArgs) return;
  if ((old.needs & kReadsSound) && !(chosen.needs & kReadsSound)) return;
  node->symbol = walk.symbols.FunctionOf(row);
  CutArguments(node, chosen.maxArgs);
}

// Called for each node before its operands; returns the slots to visit.
uint32_t StepNode(ExprNode* node, int depth, MutationWalk& walk) {
  if (node->kind == ExprKind::Assign) return kAssignedValueOnly;
  if (!Chance(walk, kGatePercent)) return kVisitAllSlots;
  if (HasTwoOperands(node->kind) && Chance(walk, kInsertPercent)) Insert(node, depth, walk);
  switch (node->kind) {
    case ExprKind::Const: MutateConst(node, depth, walk); break;
    case ExprKind::Var: MutateVar(node, depth, walk); break;
    case ExprKind::Add:
    case ExprKind::Sub:
    case ExprKind::Mul:
    case ExprKind::Div:
    case ExprKind::Mod: MutateArithmetic(node, walk); break;
    case ExprKind::Call: MutateCall(node, walk); break;
    default: return kVisitAllSlots;
  }
  walk.changed = true;
  return kVisitAllSlots;
}

// The pre-order walk of Walk, knowing each node's depth for the nesting
// limit. The operands are read after the step, with the node's new kind.
void WalkFrom(ExprNode* node, int depth, MutationWalk& walk) {
  const uint32_t mask = StepNode(node, depth, walk);
  ForEachOperand(node, mask, [&](ExprNode* operand) { WalkFrom(operand, depth + 1, walk); });
}

}  // namespace

bool Chance(const MutationWalk& walk, int32_t percent) {
  const int32_t applied = walk.mode == 1 ? percent / 2 : percent;
  return DrawRandom() % 100 < applied;
}

ExprNode* RandomLeaf(const SymbolTable& symbols) { return ExprNode::MakeSymbol(ExprKind::Var, RandomVariable(symbols)); }

void MutateTree(ExprTree& tree, SymbolTable& symbols, int32_t mode) {
  if (!tree.Root()) return;
  MutationWalk walk{mode, false, symbols};
  for (int i = 0; i < kMaxWalks && !walk.changed; ++i) WalkFrom(tree.Root(), 1, walk);
}

// Lives beside the mutation it runs: the code generator's layer knows
// nothing of mutation.
void Statement::Mutate(int32_t mode) {
  if (tree && symbols) MutateTree(*tree, *symbols, mode);
  Recompile();
}

}  // namespace zorva
