// Mutation: the order of its draws, what it may and may not change, and the nesting
// limit. That mutated texts show what the mutated code computes is held by the
// differential test, which renders every mutated statement's reread text.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "codegen/random.h"
#include "image/glyx_image.h"
#include "image/mutation.h"
#include "lang/parser.h"
#include "tests/codegen/jit_support.h"

namespace zorva {
namespace {

using testing::Build;

// Mutating `text` once from `seed` takes `draws` draws and leaves `mutated`.
// Traced by hand from the order of the node step, with the halved chances of
// Mutate(1): a draw % 100 below 10 passes a node's gate.
struct Trace {
  const char* text;
  uint32_t seed;
  size_t draws;
  const char* mutated;
};

const Trace kTraces[] = {
    // Six walks fail x, the seventh passes it; another variable (3 < 5): y (% 3 = 1).
    {"x", 3, 9, "y"},
    // Walk 3 passes +: an insertion (3 < 16) of an operator (17), + (% 3 = 0) with a
    // constant (9 < 50), 3; no operand replaced (23); the old + becomes - (% 5 = 2).
    {"x+1", 3, 18, "x+3-1"},
    // + passes: insertion (9) of a built-in (2 < 10), theta (% 23 = 12) with y (% 3 = 1); + becomes -.
    {"x+1", 23795, 13, "theta(x,y)-1"},
    // * and x fail, 2 passes: not a variable (59), nudged (8 < 40) by % 40 - 20 = -3.
    {"x*2", 72, 6, "x*-1"},
    // * and x fail, 7 passes and becomes a variable (4 < 10): y (% 3 = 1).
    {"x*7", 1231, 5, "x*y"},
    // * passes: no insertion (22), an operand replaced (5 < 6): slot 1 (% 2) by 4 (% 10).
    {"x*y", 786, 7, "x*4"},
    // + passes: an insertion (4) of a built-in (5), pal (% 23 = 22), which inserts nothing;
    // no operand replaced (84); + becomes - (% 5 = 2).
    {"x+1", 7738, 8, "x-1"},
    // theta fails, its first argument link passes: an insertion (7) of an operator (47), -
    // (% 3 = 1) with a constant (18 < 50), 9. x passes but keeps its variable (32, 34).
    {"theta(x,y)", 475, 14, "theta(x-9,y)"},
    // Walk 2 passes theta, which becomes sin (% 23 = 0): y goes with its link.
    {"theta(x,y)", 4, 9, "sin(x)"},
    // The gate fails 100 times: after the last walk the tree is unchanged.
    {"x", 19132, 100, "x"},
};

int32_t DrawAfter(uint32_t seed, size_t draws) {
  SeedRandom(seed);
  for (size_t i = 0; i < draws; ++i) DrawRandom();
  return DrawRandom();
}

TEST(Mutation, TakesItsDrawsInTheTracedOrder) {
  for (const Trace& trace : kTraces) {
    std::unique_ptr<Statement> statement = Build(trace.text);
    SeedRandom(trace.seed);
    statement->Mutate(1);
    EXPECT_EQ(statement->Text(), trace.mutated) << trace.text << " seed " << trace.seed;
    // Exactly the traced draws were taken: the next one is the one after them.
    const int32_t next = DrawRandom();
    EXPECT_EQ(next, DrawAfter(trace.seed, trace.draws)) << trace.text << " seed " << trace.seed;
  }
}

// A parsed statement without code, for the tests that mutate many trees.
struct Parsed {
  SymbolTable symbols;
  std::unique_ptr<ExprTree> tree;

  explicit Parsed(const std::string& text) {
    const char* cursor = text.c_str();
    ErrorRecord errors;
    tree = ParseStatement(cursor, symbols, errors);
  }
  std::string Text() const { return StatementString(*tree, symbols); }
};

// Mutates a fresh call once for each seed. The call stays the root and
// keeps as many arguments as its built-in takes (the traces show which).
// Returns the names it took.
std::set<std::string> MutateCall(const char* text) {
  std::set<std::string> names;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    Parsed parsed(text);
    SeedRandom(seed);
    MutateTree(*parsed.tree, parsed.symbols, 1);
    const ExprNode* call = parsed.tree->Root();
    int arguments = 0;
    for (const ExprNode* link = call->child[0]; link; link = link->child[1]) ++arguments;
    EXPECT_EQ(arguments, parsed.symbols.BuiltinOf(parsed.symbols.At(call->symbol)).maxArgs) << parsed.Text();
    names.insert(parsed.symbols.At(call->symbol).name);
  }
  return names;
}

TEST(Mutation, CallsChangeOnlyToBuiltinsTheyMayBecome) {
  // What reads the sound keeps reading it.
  EXPECT_EQ(MutateCall("snd(x)"), (std::set<std::string>{"snd", "sndl", "sndr", "fft", "vol"}));
  const std::set<std::string> fromSin = MutateCall("sin(x)");
  EXPECT_TRUE(fromSin.count("snd") && fromSin.count("tan"));
  EXPECT_FALSE(fromSin.count("theta") || fromSin.count("rad") || fromSin.count("pal"));
  // theta may become any built-in but pal.
  const std::set<std::string> fromTheta = MutateCall("theta(x,y)");
  EXPECT_TRUE(fromTheta.count("theta") && fromTheta.count("rad") && fromTheta.count("vol") && fromTheta.count("abs"));
  EXPECT_FALSE(fromTheta.count("pal"));
}

TEST(Mutation, NeverTouchesPalOrWhatAStatementAssigns) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    GlyxImage glyx, channels;
    ErrorRecord errors;
    ASSERT_TRUE(glyx.CreateFromText("p=pal(8,-t*3); r=x+y; x*y", errors) &&
                channels.CreateFromText("r=x; g=y+1; b=t*2; x", errors));
    SeedRandom(seed);
    for (int i = 0; i < 10; ++i) {
      glyx.Mutate(1);
      channels.Mutate(1);
    }
    const Statement& palette = *glyx.statements.palette;
    const ExprNode* value = palette.tree->Root()->child[1];
    ASSERT_TRUE(palette.AssignsTo("p") && value->kind == ExprKind::Call);
    ASSERT_STREQ(palette.symbols->At(value->symbol).name, "pal");
    ASSERT_EQ(glyx.statements.pixel->Text().find("pal("), std::string::npos) << glyx.statements.pixel->Text();
    // Not mutated while the palette statement exists.
    ASSERT_EQ(glyx.statements.channels[0]->Text(), "r=x+y");
    for (int slot = 0; slot < 3; ++slot) ASSERT_TRUE(channels.statements.channels[slot]->AssignsTo(std::string(1, "rgb"[slot]).c_str()));
  }
}

TEST(Mutation, MutatesThePaletteOrTheChannelsInSlotOrderThenThePixelStatement) {
  for (const char* text : {"p=pal(8,-t*3); x*y", "r=x+1; g=y+2; b=t+3; x*y"}) {
    GlyxImage whole, byHand;
    ErrorRecord errors;
    ASSERT_TRUE(whole.CreateFromText(text, errors) && byHand.CreateFromText(text, errors));
    SeedRandom(7);
    whole.Mutate(1);
    SeedRandom(7);
    GlyxStatements<Statement>& statements = byHand.statements;
    if (statements.palette) statements.palette->Mutate(1);
    for (auto& channel : statements.channels) {
      if (channel) channel->Mutate(1);
    }
    statements.pixel->Mutate(1);
    EXPECT_EQ(whole.ExpressionString("; "), byHand.ExpressionString("; "));
  }
}

// Mutates "-" repeated, then "(x+1)", once for each seed: only the sum, x
// and 1 can change, at the bottom of a tree `depth` levels deep. Every result
// reads back as itself. Returns how many results differ from the text in more
// than their kind of operator (an insertion or a new constant or variable).
int GrownResults(int depth) {
  int grown = 0;
  const std::string text = std::string(depth - 2, '-') + "(x+1)";
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    Parsed parsed(text);
    SeedRandom(seed);
    MutateTree(*parsed.tree, parsed.symbols, 1);
    const std::string mutated = parsed.Text();
    Parsed reread(mutated);
    EXPECT_TRUE(reread.tree) << "depth " << depth << ", seed " << seed << ": " << mutated;
    if (!reread.tree) return -1;
    EXPECT_EQ(reread.Text(), mutated);
    grown += TreeDepth(reread.tree->Root()) > depth;
  }
  return grown;
}

TEST(Mutation, TreesStayWithinTheNestingThatTextReadsBack) {
  EXPECT_EQ(GrownResults(kMaxNesting), 0);
  // One level less leaves room for an operator above x or 1 below zero.
  EXPECT_GT(GrownResults(kMaxNesting - 1), 0);
}

}  // namespace
}  // namespace zorva
