#include "lang/text_form.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "lang/parser.h"

namespace zorva {
namespace {

std::unique_ptr<ExprTree> Parse(const char* text, const SymbolTable& symbols) {
  ErrorRecord errors;
  std::unique_ptr<ExprTree> tree = ParseStatement(text, symbols, errors);
  EXPECT_TRUE(tree) << text << ": " << (errors.HasMessage() ? errors.Message() : "");
  return tree;
}

std::string Reprint(const char* text) {
  SymbolTable symbols;
  std::unique_ptr<ExprTree> tree = Parse(text, symbols);
  return tree ? StatementString(*tree, symbols) : "";
}

// Only the parentheses that are needed are dropped; that needed ones stay is
// held by PrintedTextsReprintUnchanged, which compares the shapes.
TEST(TextForm, MinimalParentheses) {
  const char* const cases[][2] = {
      {"(x+y)+t", "x+y+t"},         {"pal(8,(-t*3))", "pal(8,-t*3)"}, {"{(x*2),y}", "{x*2,y}"},
      {"(x<y)?(t):(T)", "x<y?t:T"}, {"x?1:(y?2:3)", "x?1:y?2:3"},     {"x?(r=1):(g=2)", "x?r=1:g=2"},
      {"r=(x<y)", "r=x<y"},         {"(x<y)<t", "x<y<t"},             {"(x?1:2)+3", "(x?1:2)+3"},
      {"2147483648", "-2147483648"}, {"x-2147483648", "x--2147483648"}, {"--2147483648", "--2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(Reprint(c[0]), c[1]) << c[0];
}

TEST(TextForm, StatementTextNeverWritesPastTheCapacity) {
  SymbolTable symbols;
  std::unique_ptr<ExprTree> tree = Parse("x+y", symbols);
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  BoundedText written = StatementText(*tree, buffer, symbols, 3, "");
  EXPECT_STREQ(buffer, "x+");
  EXPECT_EQ(buffer[3], '#');
  EXPECT_FALSE(written.complete);
  written = StatementText(*tree, buffer, symbols, 6, "; ");
  EXPECT_STREQ(buffer, "x+y; ");
  EXPECT_EQ(written.length, 5u);
  EXPECT_TRUE(written.complete);
  EXPECT_FALSE(StatementText(*tree, buffer, symbols, 0, "").complete);
  ExprTree empty(nullptr);
  EXPECT_EQ(StatementText(empty, buffer, symbols, sizeof buffer, "; ").length, 0u);
  EXPECT_STREQ(buffer, "");
  // A long text is whole for callers that show or copy it (HostileText holds
  // how one is cut for a fixed buffer).
  std::string text = "x";
  for (int i = 0; i < 300; ++i) text += "+sin(x)";
  EXPECT_EQ(StatementString(*Parse(text.c_str(), symbols), symbols), text);
}

// Random trees of every parser kind: their text parses as one statement, and
// printing that parse gives the same text again.
class TreeMaker {
 public:
  TreeMaker(const SymbolTable& symbols, uint32_t seed) : symbols(symbols), state(seed) {}

  ExprNode* Make(int depth) {
    const int choice = depth <= 0 ? Draw(3) : Draw(12);
    switch (choice) {
      case 0: return ExprNode::MakeConst(Constant());
      case 1:
      case 2: return ExprNode::MakeSymbol(ExprKind::Var, kBuiltinCount + Draw(symbols.Count() - kBuiltinCount));
      case 3:
      case 4:
      case 5: return new ExprNode(static_cast<ExprKind>(2 + Draw(13)), Make(depth - 1), Make(depth - 1));
      case 6: return new ExprNode(ExprKind::Cond, Make(depth - 1), Make(depth - 1), Make(depth - 1));
      case 7: return new ExprNode(ExprKind::Neg, Make(depth - 1));
      case 8: return new ExprNode(Draw(2) ? ExprKind::Bracket : ExprKind::Brace, Make(depth - 1), Make(depth - 1));
      case 9: return new ExprNode(ExprKind::Assign, Make(depth - 1), Make(depth - 1));
      default: return Call(depth);
    }
  }

 private:
  // The fresh table's variables follow its built-ins.
  ExprNode* Call(int depth) {
    const int32_t symbol = Draw(kBuiltinCount);
    const BuiltinFunc& row = symbols.BuiltinOf(symbols.At(symbol));
    const int count = row.minArgs + Draw(row.maxArgs - row.minArgs + 1);
    ExprNode* call = ExprNode::MakeSymbol(ExprKind::Call, symbol);
    ExprNode** slot = &call->child[0];
    for (int i = 0; i < count; ++i) {
      *slot = new ExprNode(ExprKind::ArgLink, Make(depth - 1));
      slot = &(*slot)->child[1];
    }
    return call;
  }

  // Half of them small, a quarter negative, a quarter the two most negative.
  int32_t Constant() {
    const int kind = Draw(4);
    return kind == 0 ? -Draw(100) : kind == 1 ? INT32_MIN + Draw(2) : Draw(300);
  }

  int Draw(int n) {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 8) % static_cast<uint32_t>(n));
  }

  const SymbolTable& symbols;
  uint32_t state;
};

// A tree's shape with negative constants written as their negation, which is
// how the parser reads them back.
std::string Shape(const ExprNode* node) {
  if (!node) return "-";
  if (node->kind == ExprKind::Const) {
    if (node->value < 0 && node->value != INT32_MIN) return "Neg(" + std::to_string(-node->value) + ")";
    return std::to_string(node->value);
  }
  if (node->kind == ExprKind::Neg && node->child[0]->kind == ExprKind::Const && node->child[0]->value == INT32_MIN) {
    return std::to_string(INT32_MIN);
  }
  if (node->kind == ExprKind::Neg) return "Neg(" + Shape(node->child[0]) + ")";
  std::string text = std::to_string(static_cast<int>(node->kind)) + ":" + std::to_string(node->symbol) + "(";
  for (int slot = 0; slot < Descriptor(node->kind).operandCount; ++slot) text += Shape(node->child[slot]) + ",";
  return text + ")";
}

TEST(TextForm, PrintedTextsReprintUnchanged) {
  SymbolTable symbols;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    ExprTree made(TreeMaker(symbols, seed).Make(5));
    const std::string printed = StatementString(made, symbols);
    ErrorRecord errors;
    const char* cursor = printed.c_str();
    std::unique_ptr<ExprTree> parsed = ParseStatement(cursor, symbols, errors);
    ASSERT_TRUE(parsed) << printed << ": " << errors.Message();
    EXPECT_EQ(*cursor, '\0') << printed;
    EXPECT_EQ(StatementString(*parsed, symbols), printed);
    EXPECT_EQ(Shape(parsed->Root()), Shape(made.Root())) << printed;
  }
}

}  // namespace
}  // namespace zorva
