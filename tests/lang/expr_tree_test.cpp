#include "lang/expr_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/parser.h"

namespace zorva {
namespace {

std::unique_ptr<ExprTree> Parse(const char* text, SymbolTable& symbols) {
  ErrorRecord errors;
  std::unique_ptr<ExprTree> tree = ParseStatement(text, symbols, errors);
  EXPECT_TRUE(tree) << (errors.HasMessage() ? errors.Message() : "");
  return tree;
}

TEST(Descriptor, OperatorRows) {
  struct Row {
    ExprKind kind;
    const char* text;
    int ops;
    bool commutative;
    int precedence;
    int operandPrecedence;
  };
  const Row rows[] = {
      {ExprKind::Add, "+", 2, true, 3, 3},       {ExprKind::Sub, "-", 2, false, 3, 3},
      {ExprKind::Mul, "*", 2, true, 2, 2},       {ExprKind::Div, "/", 2, false, 2, 2},
      {ExprKind::Mod, "%", 2, false, 2, 2},      {ExprKind::Lt, "<", 2, false, 4, 4},
      {ExprKind::Gt, ">", 2, false, 4, 4},       {ExprKind::Eq, "==", 2, false, 4, 4},
      {ExprKind::Le, "<=", 2, false, 4, 4},      {ExprKind::Ge, ">=", 2, false, 4, 4},
      {ExprKind::Ne, "<>", 2, false, 4, 4},      {ExprKind::Pow, "^", 2, false, 1, 1},
      {ExprKind::Assign, "=", 2, false, 6, 6},   {ExprKind::Bracket, "[", 2, false, 0, 7},
      {ExprKind::Cond, "?", 3, false, 5, 7},     {ExprKind::Call, "(", 1, false, 0, 7},
      {ExprKind::ArgLink, ",", 2, false, 0, 7},  {ExprKind::Neg, "-", 1, false, 0, 0},
      {ExprKind::Brace, "{", 2, false, 0, 7},    {ExprKind::ArgOnly, "", 1, false, 7, 7},
      {ExprKind::ArgFirst, ",", 1, false, 0, 7}, {ExprKind::ArgSecond, "", 1, false, 0, 7},
      {ExprKind::Square, "^2", 1, false, 1, 1},  {ExprKind::DivBy16, "/16", 1, false, 2, 2},
  };
  for (const Row& row : rows) {
    const KindDescriptor& d = Descriptor(row.kind);
    SCOPED_TRACE(static_cast<int>(row.kind));
    EXPECT_STREQ(d.text, row.text);
    EXPECT_EQ(d.operandCount, row.ops);
    EXPECT_EQ(d.commutative, row.commutative);
    EXPECT_EQ(d.precedence, row.precedence);
    EXPECT_EQ(d.operandPrecedence, row.operandPrecedence);
  }
}

TEST(Descriptor, DerivedKindsStandForTheirBase) {
  EXPECT_EQ(Descriptor(ExprKind::RegVar).base, ExprKind::Var);
  EXPECT_EQ(Descriptor(ExprKind::Square).base, ExprKind::Pow);
  const char* multiplies[] = {"*1", "*2", "*3", "*4", "*5", "*8", "*9"};
  for (int k = 36; k <= 42; ++k) {
    EXPECT_EQ(Descriptor(static_cast<ExprKind>(k)).base, ExprKind::Mul);
    EXPECT_STREQ(Descriptor(static_cast<ExprKind>(k)).text, multiplies[k - 36]);
  }
  const char* divides[] = {"/1", "/2", "/4", "/8", "/16"};
  for (int k = 43; k <= 47; ++k) {
    EXPECT_EQ(Descriptor(static_cast<ExprKind>(k)).base, ExprKind::Div);
    EXPECT_STREQ(Descriptor(static_cast<ExprKind>(k)).text, divides[k - 43]);
  }
  for (int k = 49; k <= 65; ++k) {
    const KindDescriptor& d = Descriptor(static_cast<ExprKind>(k));
    EXPECT_EQ(d.base, ExprKind::Call);
    EXPECT_STREQ(d.text, "(");
    EXPECT_STREQ(d.extra[0], ")");
  }
  for (int k : {32, 33, 34}) EXPECT_EQ(Descriptor(static_cast<ExprKind>(k)).base, ExprKind::ArgLink);
}

TEST(Descriptor, ParserKindsAreTheirOwnBase) {
  for (int k = 0; k <= 20; ++k) EXPECT_EQ(static_cast<int>(Descriptor(static_cast<ExprKind>(k)).base), k);
}

TEST(Descriptor, KindBeyondTheTableIsAnInternalError) {
#ifdef _WIN32
  GTEST_SKIP() << "shows a message box";
#else
  ::testing::internal::CaptureStderr();
  const KindDescriptor& d = Descriptor(static_cast<ExprKind>(66));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Internal Error: Need to define an ntd!"),
            std::string::npos);
  EXPECT_EQ(d.print[0], PrintItem::End);
#endif
}

TEST(ExprNode, ConstructorsSetEveryField) {
  ExprNode node(ExprKind::Add);
  EXPECT_EQ(node.swapped, 0);
  EXPECT_EQ(node.allocLink, nullptr);
  EXPECT_EQ(node.cgUseMask, 0x8000u);
  EXPECT_EQ(node.cgResult, 0x8000u);
  EXPECT_EQ(node.symbol, -1);
  EXPECT_EQ(node.child[0], nullptr);
  EXPECT_EQ(node.child[1], nullptr);
  EXPECT_EQ(node.child[2], nullptr);
  ExprNode* constant = ExprNode::MakeConst(-7);
  EXPECT_EQ(constant->value, -7);
  EXPECT_EQ(constant->symbol, -1);
  delete constant;
}

uint32_t Record(ExprNode* node, void* context) {
  auto& seen = *static_cast<std::vector<ExprNode*>*>(context);
  seen.push_back(node);
  return kVisitAllSlots;
}

TEST(Walk, ConditionalVisitsConditionFirst) {
  SymbolTable symbols;
  auto tree = Parse("x<y?t:T", symbols);
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), Record, &seen, WalkOrder::PreOrder);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0]->kind, ExprKind::Cond);
  EXPECT_EQ(seen[1]->kind, ExprKind::Lt);
  EXPECT_STREQ(symbols.At(seen[4]->symbol).name, "t");
  EXPECT_STREQ(symbols.At(seen[5]->symbol).name, "T");
}

TEST(Walk, PostOrderVisitsTheNodeLast) {
  SymbolTable symbols;
  auto tree = Parse("x+1", symbols);
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), Record, &seen, WalkOrder::PostOrder);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0]->kind, ExprKind::Var);
  EXPECT_EQ(seen[1]->kind, ExprKind::Const);
  EXPECT_EQ(seen[2]->kind, ExprKind::Add);
}

uint32_t RecordOnlySlot1OfRoot(ExprNode* node, void* context) {
  auto& seen = *static_cast<std::vector<ExprNode*>*>(context);
  seen.push_back(node);
  return seen.size() == 1 ? 2 : kVisitAllSlots;
}

TEST(Walk, MaskChoosesTheSlots) {
  SymbolTable symbols;
  auto tree = Parse("r=x*y", symbols);
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), RecordOnlySlot1OfRoot, &seen, WalkOrder::PreOrder);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[1]->kind, ExprKind::Mul);
}

TEST(Walk, FollowsSlotsWhateverSwapped) {
  SymbolTable symbols;
  auto tree = Parse("x-1", symbols);
  tree->Root()->swapped = 1;
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), Record, &seen, WalkOrder::PreOrder);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1]->kind, ExprKind::Var);
}

TEST(Walk, CallVisitsItsArgumentChain) {
  SymbolTable symbols;
  auto tree = Parse("pal(8,-t*3)", symbols);
  std::vector<ExprNode*> seen;
  Walk(tree->Root(), Record, &seen, WalkOrder::PreOrder);
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[1]->kind, ExprKind::ArgLink);
  EXPECT_EQ(seen[2]->kind, ExprKind::Const);
  EXPECT_EQ(seen[3]->kind, ExprKind::ArgLink);
}

TEST(ContainsKind, FindsTheRootToo) {
  SymbolTable symbols;
  EXPECT_TRUE(ContainsKind(*Parse("{x,y}", symbols), ExprKind::Brace));
  EXPECT_TRUE(ContainsKind(*Parse("sin([x,y])+1", symbols), ExprKind::Bracket));
  EXPECT_FALSE(ContainsKind(*Parse("x+y", symbols), ExprKind::Bracket));
}

TEST(CountSymbolUses, CountsEveryNamingNode) {
  SymbolTable symbols;
  auto tree = Parse("sin(x)+x*sin(y)", symbols);
  symbols.At(symbols.Lookup("t")).useCount = 5;
  CountSymbolUses(*tree, symbols);
  EXPECT_EQ(symbols.At(symbols.Lookup("sin")).useCount, 2);
  EXPECT_EQ(symbols.At(symbols.Lookup("x")).useCount, 2);
  EXPECT_EQ(symbols.At(symbols.Lookup("y")).useCount, 1);
  EXPECT_EQ(symbols.At(symbols.Lookup("t")).useCount, 0);
}

TEST(AssignsTo, NamesTheAssignedSymbol) {
  SymbolTable symbols;
  EXPECT_TRUE(AssignsTo(*Parse("p=pal(0)", symbols), symbols, "p"));
  EXPECT_FALSE(AssignsTo(*Parse("p=pal(0)", symbols), symbols, "r"));
  EXPECT_FALSE(AssignsTo(*Parse("p", symbols), symbols, "p"));
  EXPECT_FALSE(AssignsTo(*Parse("1=p", symbols), symbols, "p"));
}

TEST(TreeDepth, CountsNodesOnTheLongestPath) {
  SymbolTable symbols;
  EXPECT_EQ(TreeDepth(nullptr), 0);
  EXPECT_EQ(TreeDepth(Parse("x", symbols)->Root()), 1);
  EXPECT_EQ(TreeDepth(Parse("x+1", symbols)->Root()), 2);
  EXPECT_EQ(TreeDepth(Parse("1+2+3+4", symbols)->Root()), 4);
  EXPECT_EQ(TreeDepth(Parse("sin(x)", symbols)->Root()), 3);
  EXPECT_EQ(TreeDepth(Parse("--5", symbols)->Root()), 3);
}

TEST(DeleteTree, FreesCallsWithTheirArguments) {
  SymbolTable symbols;
  auto tree = Parse("pal(sin(x),theta(x,y))+[x,{y,t}]", symbols);
  tree.reset();  // AddressSanitizer reports whatever is left
}

}  // namespace
}  // namespace zorva
