#include "lang/statement_roles.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/parsed_statement.h"

namespace zorva {
namespace {

using Glyx = GlyxStatements<ParsedStatement>;

// The text form of `text` built as an expression, or its message.
std::string Build(const char* text, const char* separator = "; ") {
  ErrorRecord errors;
  Glyx glyx;
  if (!glyx.CreateFromText(text, errors)) return std::string("error: ") + MessageOf(errors);
  return glyx.Text(separator);
}

// The cases that docs/language.md shows are checked by its examples.
TEST(StatementRoles, DefaultsFillTheGapsAndLaterStatementsWin) {
  EXPECT_EQ(Build("r=1; [x,y]"), "r=1; g=x; b=x; [x,y]");
  EXPECT_EQ(Build("l=y; s=x"), "h=x; s=x; l=y; x");
  // Only an assignment at the top to one of p r g b h s l is not a pixel statement.
  EXPECT_EQ(Build("t=x"), "r=x; g=x; b=x; t=x");
  EXPECT_EQ(Build("(p=1)+1"), "r=x; g=x; b=x; (p=1)+1");
  EXPECT_EQ(Build("r=x; r=255-x"), "r=255-x; g=x; b=x; x");
  EXPECT_EQ(Build("p=pal(1); p=pal(2)", "\n"), "p=pal(2)\nx");
}

// The messages that neither those examples nor the lexer and parser tests reach, and
// where the detail that follows each starts. A failure keeps no statement.
TEST(StatementRoles, MessagesOfTheWholeText) {
  EXPECT_EQ(Build("sin"), "error: Expression not completesin");
  EXPECT_EQ(Build("sin(1,2"), "error: Incorrect number of arguments to function sin");
  EXPECT_EQ(Build("theta(1)"), "error: Incorrect number of arguments to function theta");
  EXPECT_EQ(Build("rand()"), "error: Unknown thangrand()");
  ErrorRecord errors;
  Glyx glyx;
  EXPECT_FALSE(glyx.CreateFromText("p=pal(1); x; (", errors));
  EXPECT_TRUE(glyx.InTextOrder().empty());
}

}  // namespace
}  // namespace zorva
