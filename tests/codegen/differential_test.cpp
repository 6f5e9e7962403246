// Random trees grown from every built-in expression render the same bytes
// through the generated code and through the reference evaluator.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <cstring>
#include <random>
#include <vector>

#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "library/builtin_glyxes.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

constexpr int kTreesPerExpression = 330;  // 62 expressions: 20,460 trees
constexpr int kMaxNodes = 160;
constexpr uint32_t kSeed = 20261206;

const char* const kVariables[] = {"x", "y", "X", "Y", "t", "T", "xm", "ym", "r"};
constexpr ExprKind kBinaryKinds[] = {
    ExprKind::Add, ExprKind::Sub, ExprKind::Mul, ExprKind::Div, ExprKind::Mod, ExprKind::Lt,
    ExprKind::Gt,  ExprKind::Eq,  ExprKind::Le,  ExprKind::Ge,  ExprKind::Ne,  ExprKind::Bracket,
    ExprKind::Brace};
constexpr int32_t kTellingConstants[] = {0, 1, -1, 2, 3, 4, 5, 8, 9, 16, 255, 256, INT_MIN, INT_MAX};

// Grows a statement's tree by random edits.
class TreeGrower {
 public:
  explicit TreeGrower(std::mt19937& random) : random(random) {}

  void Edit(Statement& statement) {
    symbols = statement.symbols.get();
    std::vector<ExprNode**> slots;
    CollectSlots(statement.tree->Root(), slots);
    if (slots.empty()) return;
    ExprNode** slot = slots[Below(slots.size())];
    switch (Below(5)) {
      case 0: Replace(slot, Subtree(2)); break;
      case 1: Replace(slot, Leaf()); break;
      case 2: *slot = Binary(*slot, Leaf()); break;
      case 3: *slot = Binary(Leaf(), *slot); break;
      default: ChangeOperator(*slot); break;
    }
  }

 private:
  uint32_t Below(size_t n) { return static_cast<uint32_t>(random() % n); }

  void CollectSlots(ExprNode* node, std::vector<ExprNode**>& slots) {
    const int32_t operands = Descriptor(node->kind).operandCount;
    if (node->kind == ExprKind::Const || node->kind == ExprKind::Var) return;
    for (int i = 0; i < 3; ++i) {
      if (node->child[i] == nullptr) continue;
      // An argument link is part of its call; its argument may change.
      if (node->child[i]->kind != ExprKind::ArgLink && i < std::max(operands, 2))
        slots.push_back(&node->child[i]);
      CollectSlots(node->child[i], slots);
    }
  }

  void Replace(ExprNode** slot, ExprNode* replacement) {
    DeleteTree(*slot);
    *slot = replacement;
  }

  ExprNode* Leaf() {
    if (Below(2) == 0) {
      const int32_t value = Below(3) == 0 ? static_cast<int32_t>(random())
                                          : kTellingConstants[Below(std::size(kTellingConstants))];
      return ExprNode::MakeConst(value);
    }
    return ExprNode::MakeSymbol(ExprKind::Var, symbols->Lookup(kVariables[Below(std::size(kVariables))]));
  }

  ExprNode* Binary(ExprNode* left, ExprNode* right) {
    return new ExprNode(kBinaryKinds[Below(std::size(kBinaryKinds))], left, right);
  }

  ExprNode* Subtree(int depth) {
    if (depth == 0) return Leaf();
    switch (Below(6)) {
      case 0: return new ExprNode(ExprKind::Neg, Subtree(depth - 1));
      case 1: return new ExprNode(ExprKind::Cond, Subtree(depth - 1), Subtree(depth - 1), Subtree(depth - 1));
      case 2: return new ExprNode(ExprKind::Pow, Subtree(depth - 1), Subtree(depth - 1));
      case 3: return Call(depth - 1);
      default: return Binary(Subtree(depth - 1), Subtree(depth - 1));
    }
  }

  ExprNode* Call(int depth) {
    const int32_t row = static_cast<int32_t>(Below(kBuiltinCount));
    const BuiltinFunc& function = symbols->BuiltinOf(symbols->At(row));
    const int32_t count = function.minArgs + static_cast<int32_t>(Below(function.maxArgs - function.minArgs + 1));
    ExprNode* chain = nullptr;
    for (int32_t i = 0; i < count; ++i) chain = new ExprNode(ExprKind::ArgLink, Subtree(depth), chain);
    ExprNode* call = ExprNode::MakeSymbol(ExprKind::Call, row);
    call->child[0] = chain;
    return call;
  }

  void ChangeOperator(ExprNode* node) {
    for (ExprKind kind : kBinaryKinds) {
      if (node->kind == kind) {
        node->kind = kBinaryKinds[Below(std::size(kBinaryKinds))];
        return;
      }
    }
    if (node->kind == ExprKind::Const) node->value = kTellingConstants[Below(std::size(kTellingConstants))];
  }

  std::mt19937& random;
  SymbolTable* symbols = nullptr;
};

int CountNodes(const ExprNode* node) {
  if (node == nullptr || node->kind == ExprKind::Const) return 1;
  return 1 + CountNodes(node->child[0]) + CountNodes(node->child[1]) + CountNodes(node->child[2]);
}

void FillSoundFrame() {
  for (int i = 0; i < kWaveformBytes; ++i) soundWaveform[i] = static_cast<uint8_t>(i * 37 + 11);
  for (int i = 0; i < kSpectrumBytes; ++i) soundSpectrum[i] = static_cast<uint8_t>(255 - i * 3);
}

// A palette statement renders as a palette pass, anything else as a
// coarse pixel pass.
Rendering RenderWith(const Statement& statement, Engine engine, const uint8_t* sourcePixels) {
  const bool palette = statement.AssignsTo("p");
  PassSetup setup = palette ? Pass(nullptr, 256, 1) : Pass(nullptr, 64, 64, 8);
  setup.t = 37;
  setup.T = 5;
  setup.xm = 100;
  setup.ym = 50;
  setup.channel = 1;
  setup.source = SourceImage{0, sourcePixels, nullptr, nullptr, 16, 16, 16};
  SeedRandom(kSeed);
  return Render(statement, setup, engine);
}

TEST(JitDifferential, GrownTreesRenderAlikeThroughBothEngines) {
  FillSoundFrame();
  std::vector<uint8_t> sourcePixels(16 * 16);
  for (size_t i = 0; i < sourcePixels.size(); ++i) sourcePixels[i] = static_cast<uint8_t>(i * 7);
  std::mt19937 random(kSeed);
  TreeGrower grower(random);
  int compared = 0;
  for (const char* text : kBuiltinGlyxes) {
    // Where each statement of the text starts; parsing from there stops at its end.
    std::vector<const char*> statements;
    for (const char* cursor = text; *cursor;) {
      statements.push_back(cursor);
      ErrorRecord errors;
      ASSERT_TRUE(Statement::FromText(cursor, errors)) << text;
    }
    std::unique_ptr<Statement> statement;
    for (int i = 0; i < kTreesPerExpression; ++i) {
      if (!statement || CountNodes(statement->tree->Root()) > kMaxNodes)
        statement = Build(statements[i % statements.size()]);
      ASSERT_TRUE(statement) << text;
      grower.Edit(*statement);
      ASSERT_TRUE(statement->Recompile()) << statement->Text();
      const Rendering jit = RenderWith(*statement, Engine::Jit, sourcePixels.data());
      const Rendering evaluated = RenderWith(*statement, Engine::Evaluator, sourcePixels.data());
      ASSERT_EQ(jit.completed, evaluated.completed) << statement->Text();
      ASSERT_EQ(jit.bytes, evaluated.bytes) << statement->Text();
      ++compared;
    }
  }
  EXPECT_GE(compared, 20000);
}

}  // namespace
}  // namespace zorva::testing
