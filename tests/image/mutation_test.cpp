// Mutation: the order of its draws, what it may and may not change, and the
// nesting limit. That mutated texts show what the mutated code computes is
// held by the differential test, which renders every mutated statement's
// reread text.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "codegen/random.h"
#include "image/glyx_image.h"
#include "image/mutation.h"
#include "lang/parser.h"
#include "tests/codegen/jit_support.h"

namespace zorva {
namespace {

using testing::Build;

// The draws that follow seed `seed`, each with the decision it makes.
struct Trace {
  const char* text;
  uint32_t seed;
  std::vector<int32_t> draws;
  const char* mutated;
};

// Traced by hand from the order of the node step, with the halved chances of
// Mutate(1); % 100 below 10 passes the gate. Each trace ends with the last
// draw that the mutation takes.
const Trace kTraces[] = {
    // A lone variable: walks until its node passes the gate.
    {"x", 3, {48, 7196, 9294, 9091, 7031, 23577,  // six walks, x fails the gate (48, 96, 94, 91, 31, 77)
              17702,                               // 2: x passes the gate
              23503,                               // 3 < 5: another variable
              27217},                              // % 3 = 1: "y"
     "y"},
    {"x+1", 1, {41, 18467, 6334,  // walk 1: +, x and 1 fail the gate
                26500,            // walk 2: + passes (0)
                19169,            // 69: no insertion
                15724,            // 24: no operand replaced
                11478,            // % 5 = 3: the operator becomes /
                29358, 26962},    // x and 1 fail the gate
     "x/1"},
    {"x+1", 3, {48, 7196, 9294, 9091, 7031, 23577,  // walks 1 and 2: nothing passes the gate
                17702,                               // walk 3: + passes (2)
                23503,                               // 3 < 16: an insertion
                27217,                               // 17: not a built-in, an operator
                12168,                               // % 3 = 0: +
                5409,                                // 9 < 50: its right operand is a constant
                28233,                               // % 10 = 3: the constant 3
                2023,                                // 23: no operand replaced
                17152,                               // % 5 = 2: the old + becomes -
                21578, 2399, 23863,                  // the new +, its x and its 3 fail the gate
                16025},                              // 1 fails the gate
     "x+3-1"},
    {"x+1", 23795, {12207,   // + passes the gate (7)
                    11809,   // 9 < 16: an insertion
                    32702,   // 2 < 10: a built-in
                    955,     // % 23 = 12: theta, which takes two arguments
                    11833,   // % 3 = 1: its second argument is y
                    26766,   // 66: no operand replaced
                    13457,   // % 5 = 2: + becomes -
                    9779, 15421, 13692, 25370, 27614,  // theta, its links, x and y fail the gate
                    17321},  // 1 fails the gate
     "theta(x,y)-1"},
    {"x*2", 72, {273, 27940,  // * and x fail the gate
                 29506,       // 2 passes (6)
                 31059,       // 59: not a variable
                 30608,       // 8 < 40: nudged
                 32377},      // % 40 - 20 = -3: 2 becomes -1
     "x*-1"},
    {"theta(x,y)", 4, {51, 17945, 27159, 386, 17345,  // walk 1: theta, both links, x, y fail
                       27504,                         // walk 2: theta passes (4)
                       20815,                         // % 23 = 0: sin; y is dropped with its link
                       20576, 10960},                 // the link and x fail the gate
     "sin(x)"},
    // The gate fails 100 times: after the last walk the tree is unchanged.
    {"x", 19132, std::vector<int32_t>(100, -1), "x"},
};

int32_t DrawAfter(uint32_t seed, size_t draws) {
  SeedRandom(seed);
  for (size_t i = 0; i < draws; ++i) DrawRandom();
  return DrawRandom();
}

TEST(Mutation, TakesItsDrawsInTheTracedOrder) {
  for (const Trace& trace : kTraces) {
    SeedRandom(trace.seed);
    for (int32_t draw : trace.draws) {
      const int32_t actual = DrawRandom();
      if (draw >= 0) {
        ASSERT_EQ(actual, draw) << trace.text << " seed " << trace.seed;
      }
    }
    std::unique_ptr<Statement> statement = Build(trace.text);
    SeedRandom(trace.seed);
    statement->Mutate(1);
    EXPECT_EQ(statement->Text(), trace.mutated) << trace.text << " seed " << trace.seed;
    // Exactly the traced draws were taken: the next one is the one after them.
    const int32_t next = DrawRandom();
    EXPECT_EQ(next, DrawAfter(trace.seed, trace.draws.size())) << trace.text << " seed " << trace.seed;
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
  const BuiltinFunc& Builtin(const ExprNode* call) const { return symbols.BuiltinOf(symbols.At(call->symbol)); }
};

int ArgumentCount(const ExprNode* call) {
  int count = 0;
  for (const ExprNode* link = call->child[0]; link; link = link->child[1]) ++count;
  return count;
}

// Mutates a fresh call once for each seed. The call stays the root and
// keeps as many arguments as its built-in takes. Returns the names it took
// and the texts of those with one argument.
struct CallOutcomes {
  std::set<std::string> names;
  std::set<std::string> oneArgumentTexts;
};

CallOutcomes MutateCall(const char* text) {
  CallOutcomes outcomes;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    Parsed parsed(text);
    SeedRandom(seed);
    MutateTree(*parsed.tree, parsed.symbols, 1);
    const ExprNode* call = parsed.tree->Root();
    EXPECT_EQ(ArgumentCount(call), parsed.Builtin(call).maxArgs) << parsed.Text();
    outcomes.names.insert(parsed.symbols.At(call->symbol).name);
    if (ArgumentCount(call) == 1) outcomes.oneArgumentTexts.insert(parsed.Text());
  }
  return outcomes;
}

TEST(Mutation, CallsChangeOnlyToBuiltinsTheyMayBecome) {
  // What reads the sound keeps reading it.
  EXPECT_EQ(MutateCall("snd(x)").names, (std::set<std::string>{"snd", "sndl", "sndr", "fft", "vol"}));

  const std::set<std::string> fromSin = MutateCall("sin(x)").names;
  EXPECT_TRUE(fromSin.count("snd") && fromSin.count("tan"));
  EXPECT_FALSE(fromSin.count("theta") || fromSin.count("rad") || fromSin.count("pal"));

  // theta may become any built-in but pal, keeping only its first argument.
  const CallOutcomes fromTheta = MutateCall("theta(x,y)");
  EXPECT_TRUE(fromTheta.names.count("theta") && fromTheta.names.count("rad") && fromTheta.names.count("vol"));
  EXPECT_FALSE(fromTheta.names.count("pal"));
  EXPECT_TRUE(fromTheta.oneArgumentTexts.count("sin(x)") && fromTheta.oneArgumentTexts.count("abs(x)"));
}

TEST(Mutation, NeverTouchesPalOrWhatAStatementAssigns) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    GlyxImage glyx;
    ErrorRecord errors;
    ASSERT_TRUE(glyx.CreateFromText("p=pal(8,-t*3); r=x+y; x*y", errors));
    GlyxImage channels;
    ASSERT_TRUE(channels.CreateFromText("r=x; g=y+1; b=t*2; x", errors));
    SeedRandom(seed);
    for (int i = 0; i < 10; ++i) {
      glyx.Mutate(1);
      channels.Mutate(1);
    }
    const ExprNode* value = glyx.statements.palette->tree->Root()->child[1];
    ASSERT_TRUE(glyx.statements.palette->AssignsTo("p"));
    ASSERT_EQ(value->kind, ExprKind::Call);
    ASSERT_STREQ(glyx.statements.palette->symbols->At(value->symbol).name, "pal");
    ASSERT_EQ(glyx.statements.pixel->Text().find("pal("), std::string::npos) << glyx.statements.pixel->Text();
    // Not mutated while the palette statement exists.
    ASSERT_EQ(glyx.statements.channels[0]->Text(), "r=x+y");
    ASSERT_TRUE(channels.statements.channels[0]->AssignsTo("r") && channels.statements.channels[1]->AssignsTo("g") &&
                channels.statements.channels[2]->AssignsTo("b"));
  }
}

TEST(Mutation, MutatesThePaletteOrTheChannelsInSlotOrderThenThePixelStatement) {
  for (const char* text : {"p=pal(8,-t*3); x*y", "r=x+1; g=y+2; b=t+3; x*y"}) {
    GlyxImage whole;
    GlyxImage byHand;
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

// "-" repeated, then "(x+1)": only the sum, x and 1 can change, at the
// bottom of a tree `depth` levels deep.
std::string NegatedSum(int depth) { return std::string(depth - 2, '-') + "(x+1)"; }

// Mutates the text once for each seed; every result reads back as itself.
// Returns how many results differ from the text in more than their kind of
// operator (an insertion or a new constant or variable).
int GrownResults(int depth) {
  int grown = 0;
  const std::string text = NegatedSum(depth);
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
  ASSERT_TRUE(Parsed(NegatedSum(kMaxNesting)).tree);
  EXPECT_EQ(GrownResults(kMaxNesting), 0);
  // One level less leaves room for an operator above x or 1 below zero.
  EXPECT_GT(GrownResults(kMaxNesting - 1), 0);
}

}  // namespace
}  // namespace zorva
