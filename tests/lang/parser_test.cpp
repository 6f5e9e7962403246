#include "lang/parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/text_form.h"

namespace zorva {
namespace {

// Parses one statement of `text`; its text form, or "error: MESSAGE" when it
// fails. How the parse nests is held by the text form's tests.
std::string Reprinted(const char* text) {
  SymbolTable symbols;
  ErrorRecord errors;
  std::unique_ptr<ExprTree> tree = ParseStatement(text, symbols, errors);
  if (!tree) return std::string("error: ") + MessageOf(errors);
  return StatementString(*tree, symbols);
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
    out.push_back(StatementString(*tree, symbols));
  }
  return out;
}

using List = std::vector<std::string>;

TEST(Parser, StatementsFollowEachOther) {
  const List two = {"p=pal(0)", "x*y"};
  EXPECT_EQ(Statements("p=pal(0) x*y"), two);
  EXPECT_EQ(Statements("p=pal(0); x*y"), two);
  EXPECT_EQ(Statements("p=pal(0)\r\nx*y"), two);
  EXPECT_EQ(Statements("p=pal(0);\nx*y\n"), two);
  EXPECT_EQ(Statements("p=pal(0) x"), (List{"p=pal(0)", "x"}));
}

TEST(Parser, RestOfTextRules) {
  EXPECT_EQ(Reprinted(""), "error: Expression not complete");
  EXPECT_EQ(Reprinted("  "), "error: Expression not complete  ");
  EXPECT_EQ(Statements("x;"), (List{"error: Expression not completex;"}));
  EXPECT_EQ(Statements("x;;y"), (List{"x", "error: Unknown thang;y"}));
  EXPECT_EQ(Statements("r=g=b"), (List{"r=g", "error: Unknown thang=b"}));
  EXPECT_EQ(Statements("x)"), (List{"x", "error: Unknown thang)"}));
  EXPECT_EQ(Statements("p=pal(0); (x"), (List{"p=pal(0)", "error: Right parenthesis expected (x"}));
  EXPECT_EQ(Statements("x \"s\""), (List{"x", "error: Unknown thang \"s\""}));
}

TEST(Parser, FirstErrorOfTheTextWins) {
  ErrorRecord errors;
  SymbolTable symbols;
  const char* first = "foo";
  EXPECT_FALSE(ParseStatement(first, symbols, errors));
  const char* second = "x+";
  EXPECT_FALSE(ParseStatement(second, symbols, errors));
  EXPECT_STREQ(errors.Message(), "Unknown identifier: foo");
  // A lexical error after a complete statement fails that statement, even
  // when the record already held a message.
  const char* text = "x #";
  EXPECT_FALSE(ParseStatement(text, symbols, errors));
}

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(Parser, NestingUpTo400IsAccepted) {
  const std::string parens = Repeat("(", 399) + "x" + Repeat(")", 399);  // 400 primaries
  EXPECT_EQ(Reprinted(parens.c_str()), "x");
  const std::string negations = Repeat("-", 399) + "x";  // 400 primaries, 400 deep
  EXPECT_EQ(Reprinted(negations.c_str()), negations);
  const std::string sum = "1" + Repeat("+1", 399);  // 400 deep
  EXPECT_EQ(Reprinted(sum.c_str()), sum);
}

TEST(Parser, DeeperNestingIsRefused) {
  const std::string parens = Repeat("(", 400) + "x" + Repeat(")", 400);  // 401 primaries
  EXPECT_EQ(Reprinted(parens.c_str()), "error: Expression nested too deeply" + parens);
  const std::string negations = Repeat("-", 400) + "x";  // 401 deep
  EXPECT_EQ(Reprinted(negations.c_str()), "error: Expression nested too deeply" + negations);
  const std::string calls = Repeat("sin(", 200) + "x" + Repeat(")", 200);  // 401 deep
  EXPECT_EQ(Reprinted(calls.c_str()), "error: Expression nested too deeply" + calls);
  const std::string sum = "1" + Repeat("+1", 999);
  EXPECT_EQ(Reprinted(sum.c_str()), "error: Expression nested too deeply" + sum);
  const std::string chain = Repeat("x?1:", 401) + "1";
  EXPECT_EQ(Reprinted(chain.c_str()), "error: Expression nested too deeply" + chain);
  const std::string nestedTrue = Repeat("x?", 401) + "1" + Repeat(":1", 401);
  EXPECT_EQ(Reprinted(nestedTrue.c_str()), "error: Expression nested too deeply" + nestedTrue);
}

// Refused without running out of stack.
TEST(Parser, HugeInputIsRefused) {
  const std::string parens(1 << 20, '(');
  EXPECT_EQ(Reprinted(parens.c_str()), "error: Expression nested too deeply" + parens);
  const std::string sum = "1" + Repeat("+1", 100000);
  EXPECT_EQ(Reprinted(sum.c_str()), "error: Expression nested too deeply" + sum);
  const std::string chain = Repeat("x?1:", 100000) + "1";
  EXPECT_EQ(Reprinted(chain.c_str()), "error: Expression nested too deeply" + chain);
  const std::string negations(1 << 20, '-');
  EXPECT_EQ(Reprinted(negations.c_str()), "error: Expression nested too deeply" + negations);
}

TEST(Parser, FailedParsesLeaveNoNode) {
  // AddressSanitizer's leak check holds this test: every failure frees the
  // half-built trees through the chain of the parse.
  for (const char* text : {"pal(1,2,3)", "sin(x+(y*[t,T", "x?sin(1):{x,y", "1+2+3+4+#", "x;", "r=(x+1",
                           "x #", "-(-(-(-(", "pal(sin(x),rad(x,y),3)"}) {
    EXPECT_EQ(Reprinted(text).substr(0, 6), "error:") << text;
  }
}

}  // namespace
}  // namespace zorva
