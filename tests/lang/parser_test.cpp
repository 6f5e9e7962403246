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

TEST(Parser, StatementsFollowEachOtherUpToWhatEndsTheText) {
  const List two = {"p=pal(0)", "x*y"};
  EXPECT_EQ(Statements("p=pal(0) x*y"), two);
  EXPECT_EQ(Statements("p=pal(0); x*y"), two);
  EXPECT_EQ(Statements("p=pal(0)\r\nx*y"), two);
  EXPECT_EQ(Statements("p=pal(0);\nx*y\n"), two);
  EXPECT_EQ(Statements("p=pal(0) x"), (List{"p=pal(0)", "x"}));
  // What cannot start a statement ends the text with a message (docs/language.md shows more).
  EXPECT_EQ(Reprinted(""), "error: Expression not complete");
  EXPECT_EQ(Reprinted("  "), "error: Expression not complete  ");
  EXPECT_EQ(Statements("x;;y"), (List{"x", "error: Unknown thang;y"}));
  EXPECT_EQ(Statements("x)"), (List{"x", "error: Unknown thang)"}));
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

// A megabyte of nesting is refused without running out of stack.
TEST(Parser, NestingUpTo400IsAcceptedAndDeeperOrHugeInputIsRefused) {
  EXPECT_EQ(Reprinted((Repeat("(", 399) + "x" + Repeat(")", 399)).c_str()), "x");  // 400 primaries
  for (const std::string& deep : {Repeat("-", 399) + "x", "1" + Repeat("+1", 399)}) {  // 400 deep
    EXPECT_EQ(Reprinted(deep.c_str()), deep);
  }
  const std::string refused[] = {
      Repeat("(", 400) + "x" + Repeat(")", 400),  // 401 primaries
      Repeat("-", 400) + "x",                     // 401 deep
      Repeat("sin(", 200) + "x" + Repeat(")", 200),
      Repeat("x?1:", 401) + "1",
      Repeat("x?", 401) + "1" + Repeat(":1", 401),
      std::string(1 << 20, '('),
      std::string(1 << 20, '-'),
      "1" + Repeat("+1", 100000),
      Repeat("x?1:", 100000) + "1",
  };
  for (const std::string& text : refused) {
    EXPECT_EQ(Reprinted(text.c_str()), "error: Expression nested too deeply" + text) << text.substr(0, 40);
  }
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
