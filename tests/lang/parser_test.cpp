#include "lang/parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tree_dump.h"

namespace zorva {
namespace {

using testing::ParseDump;

TEST(Parser, Precedence) {
  EXPECT_EQ(ParseDump("x+1"), "Add(x,1)");
  EXPECT_EQ(ParseDump("2*3+4"), "Add(Mul(2,3),4)");
  EXPECT_EQ(ParseDump("2+3*4"), "Add(2,Mul(3,4))");
  EXPECT_EQ(ParseDump("x<y+1"), "Lt(x,Add(y,1))");
  EXPECT_EQ(ParseDump("x^2*3"), "Mul(Pow(x,2),3)");
  EXPECT_EQ(ParseDump("r=x+1"), "Assign(r,Add(x,1))");
}

TEST(Parser, EveryBinaryOperator) {
  EXPECT_EQ(ParseDump("a"), "error: Unknown identifier: a");
  EXPECT_EQ(ParseDump("x-y/t%T"), "Sub(x,Mod(Div(y,t),T))");
  EXPECT_EQ(ParseDump("x>y==t<=T>=X<>Y"), "Ne(Ge(Le(Eq(Gt(x,y),t),T),X),Y)");
}

TEST(Parser, LeftAssociativeLevels) {
  EXPECT_EQ(ParseDump("x<y<t"), "Lt(Lt(x,y),t)");
  EXPECT_EQ(ParseDump("2^3^2"), "Pow(Pow(2,3),2)");
  EXPECT_EQ(ParseDump("x-y-t"), "Sub(Sub(x,y),t)");
}

TEST(Parser, UnaryMinusBindsToThePrimary) {
  EXPECT_EQ(ParseDump("-x^2"), "Pow(Neg(x),2)");
  EXPECT_EQ(ParseDump("x^-2"), "Pow(x,Neg(2))");
  EXPECT_EQ(ParseDump("--5"), "Neg(Neg(5))");
  EXPECT_EQ(ParseDump("x - - 5"), "Sub(x,Neg(5))");
}

TEST(Parser, Conditionals) {
  EXPECT_EQ(ParseDump("x<y?t:T"), "Cond(t,T,Lt(x,y))");
  EXPECT_EQ(ParseDump("x?1:y?2:3"), "Cond(1,Cond(2,3,y),x)");
  EXPECT_EQ(ParseDump("x?r=1:g=2"), "Cond(Assign(r,1),Assign(g,2),x)");
}

TEST(Parser, CallsBracketsAndBraces) {
  EXPECT_EQ(ParseDump("pal(8,-t*3)"), "Call pal(Arg(8,Arg(Mul(Neg(t),3),-)))");
  EXPECT_EQ(ParseDump("sin(x)"), "Call sin(Arg(x,-))");
  EXPECT_EQ(ParseDump("[x,y]"), "Bracket(x,y)");
  EXPECT_EQ(ParseDump("{x*2,y}"), "Brace(Mul(x,2),y)");
  EXPECT_EQ(ParseDump("(x)+((1))"), "Add(x,1)");
}

TEST(Parser, Errors) {
  EXPECT_EQ(ParseDump("pal(1,2,3)"), "error: Incorrect number of arguments to function pal");
  EXPECT_EQ(ParseDump("theta(1)"), "error: Incorrect number of arguments to function theta");
  EXPECT_EQ(ParseDump("sin"), "error: Expression not completesin");
  EXPECT_EQ(ParseDump("sin x"), "error: Left parenthesis expectedsin x");
  EXPECT_EQ(ParseDump("rand()"), "error: Unknown thangrand()");
  EXPECT_EQ(ParseDump("Sin(x)"), "error: Unknown identifier: Sin");
  EXPECT_EQ(ParseDump("x $"), "error: Unknown character: $");
  EXPECT_EQ(ParseDump("(x+1"), "error: Right parenthesis expected(x+1");
  EXPECT_EQ(ParseDump("[x,y"), "error: Right bracket expected[x,y");
  EXPECT_EQ(ParseDump("{x,y"), "error: Right brace expected{x,y");
  EXPECT_EQ(ParseDump("{x y}"), "error: Comma Expected{x y}");
  EXPECT_EQ(ParseDump("1?2"), "error: Colon expected1?2");
  EXPECT_EQ(ParseDump("x;"), "error: Expression not completex;");
  EXPECT_EQ(ParseDump(""), "error: Expression not complete");
  EXPECT_EQ(ParseDump("  "), "error: Expression not complete  ");
  EXPECT_EQ(ParseDump("sin(1,2"), "error: Incorrect number of arguments to function sin");
  EXPECT_EQ(ParseDump("sin(1"), "error: Right parenthesis expectedsin(1");
  EXPECT_EQ(ParseDump("x+#"), "error: Unknown character: #");
  EXPECT_EQ(ParseDump("\"abc\""), "error: Unknown thang\"abc\"");
  EXPECT_EQ(ParseDump("abcdefgh"), "error: Identifier too longabcdefgh");
  EXPECT_EQ(ParseDump("x+abcdefgh"), "error: Identifier too longx+abcdefgh");
  EXPECT_EQ(ParseDump("x abcdefgh"), "error: Identifier too longx abcdefgh");
}

// Each statement of a text, and the message that ends the text if any.
std::vector<std::string> Statements(const char* text) {
  std::vector<std::string> out;
  ErrorRecord errors;
  for (const char* cursor = text; *cursor;) {
    SymbolTable symbols;
    const char* start = cursor;
    std::unique_ptr<ExprTree> tree = ParseStatement(cursor, symbols, errors);
    if (!tree) {
      out.push_back(std::string("error: ") + errors.Message());
      EXPECT_EQ(cursor, start);
      break;
    }
    out.push_back(testing::Dump(tree->Root(), symbols));
  }
  return out;
}

using List = std::vector<std::string>;

TEST(Parser, StatementsFollowEachOther) {
  const List two = {"Assign(p,Call pal(Arg(0,-)))", "Mul(x,y)"};
  EXPECT_EQ(Statements("p=pal(0) x*y"), two);
  EXPECT_EQ(Statements("p=pal(0); x*y"), two);
  EXPECT_EQ(Statements("p=pal(0)\nx*y"), two);
  EXPECT_EQ(Statements("p=pal(0)\r\nx*y"), two);
  EXPECT_EQ(Statements("p=pal(0);\nx*y\n"), two);
  EXPECT_EQ(Statements("p=pal(0) x"), (List{"Assign(p,Call pal(Arg(0,-)))", "x"}));
}

TEST(Parser, RestOfTextRules) {
  EXPECT_EQ(Statements("x;"), (List{"error: Expression not completex;"}));
  EXPECT_EQ(Statements("x;;y"), (List{"x", "error: Unknown thang;y"}));
  EXPECT_EQ(Statements("r=g=b"), (List{"Assign(r,g)", "error: Unknown thang=b"}));
  EXPECT_EQ(Statements("x)"), (List{"x", "error: Unknown thang)"}));
  EXPECT_EQ(Statements("p=pal(0); (x"), (List{"Assign(p,Call pal(Arg(0,-)))", "error: Right parenthesis expected (x"}));
  EXPECT_EQ(Statements("x \"s\""), (List{"x", "error: Unknown thang \"s\""}));
}

TEST(Parser, NextStatementStartsBeforeTheBlanks) {
  SymbolTable symbols;
  ErrorRecord errors;
  const char* text = "x  y";
  const char* cursor = text;
  ASSERT_TRUE(ParseStatement(cursor, symbols, errors));
  EXPECT_EQ(cursor, text + 1);
  const char* last = "x ; \t y";
  cursor = last;
  ASSERT_TRUE(ParseStatement(cursor, symbols, errors));
  EXPECT_EQ(cursor, last + 3);
  const char* ending = "x  ";
  cursor = ending;
  ASSERT_TRUE(ParseStatement(cursor, symbols, errors));
  EXPECT_EQ(*cursor, '\0');
}

TEST(Parser, FirstErrorOfTheTextWins) {
  ErrorRecord errors;
  SymbolTable symbols;
  const char* first = "foo";
  EXPECT_FALSE(ParseStatement(first, symbols, errors));
  const char* second = "x+";
  EXPECT_FALSE(ParseStatement(second, symbols, errors));
  EXPECT_STREQ(errors.Message(), "Unknown identifier: foo");
}

// A lexical error after a complete statement fails that statement, even when
// the record already held a message of its own.
TEST(Parser, LexicalErrorInLookAheadFailsTheStatement) {
  ErrorRecord errors;
  errors.BuildMessage(kMsgUnknownThang, "earlier");
  SymbolTable symbols;
  const char* text = "x #";
  EXPECT_FALSE(ParseStatement(text, symbols, errors));
  EXPECT_STREQ(errors.Message(), "Unknown thangearlier");
}

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(Parser, NestingUpTo400IsAccepted) {
  const std::string parens = Repeat("(", 399) + "x" + Repeat(")", 399);  // 400 primaries
  EXPECT_EQ(ParseDump(parens.c_str()), "x");
  const std::string negations = Repeat("-", 399) + "x";  // 400 primaries, 400 deep
  EXPECT_EQ(ParseDump(negations.c_str()).substr(0, 4), "Neg(");
  const std::string sum = "1" + Repeat("+1", 399);  // 400 deep
  EXPECT_EQ(ParseDump(sum.c_str()).substr(0, 4), "Add(");
}

TEST(Parser, DeeperNestingIsRefused) {
  const std::string parens = Repeat("(", 400) + "x" + Repeat(")", 400);  // 401 primaries
  EXPECT_EQ(ParseDump(parens.c_str()), "error: Expression nested too deeply" + parens);
  const std::string negations = Repeat("-", 400) + "x";  // 401 deep
  EXPECT_EQ(ParseDump(negations.c_str()), "error: Expression nested too deeply" + negations);
  const std::string calls = Repeat("sin(", 200) + "x" + Repeat(")", 200);  // 401 deep
  EXPECT_EQ(ParseDump(calls.c_str()), "error: Expression nested too deeply" + calls);
  const std::string sum = "1" + Repeat("+1", 999);
  EXPECT_EQ(ParseDump(sum.c_str()), "error: Expression nested too deeply" + sum);
  const std::string chain = Repeat("x?1:", 401) + "1";
  EXPECT_EQ(ParseDump(chain.c_str()), "error: Expression nested too deeply" + chain);
  const std::string nestedTrue = Repeat("x?", 401) + "1" + Repeat(":1", 401);
  EXPECT_EQ(ParseDump(nestedTrue.c_str()), "error: Expression nested too deeply" + nestedTrue);
}

TEST(Parser, HugeInputFailsQuickly) {
  const auto started = std::chrono::steady_clock::now();
  const std::string parens(1 << 20, '(');
  EXPECT_EQ(ParseDump(parens.c_str()), "error: Expression nested too deeply" + parens);
  const std::string sum = "1" + Repeat("+1", 100000);
  EXPECT_EQ(ParseDump(sum.c_str()), "error: Expression nested too deeply" + sum);
  const std::string chain = Repeat("x?1:", 100000) + "1";
  EXPECT_EQ(ParseDump(chain.c_str()), "error: Expression nested too deeply" + chain);
  const std::string negations(1 << 20, '-');
  EXPECT_EQ(ParseDump(negations.c_str()), "error: Expression nested too deeply" + negations);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST(Parser, FailedParsesLeaveNoNode) {
  // AddressSanitizer's leak check holds this test: every failure frees the
  // half-built trees through the chain of the parse.
  for (const char* text : {"pal(1,2,3)", "sin(x+(y*[t,T", "x?sin(1):{x,y", "1+2+3+4+#", "x;", "r=(x+1",
                           "x #", "-(-(-(-(", "pal(sin(x),rad(x,y),3)"}) {
    EXPECT_EQ(ParseDump(text).substr(0, 6), "error:") << text;
  }
}

}  // namespace
}  // namespace zorva
