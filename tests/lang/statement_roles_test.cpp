#include "lang/statement_roles.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/parsed_statement.h"
#include "library/builtin_glyxes.h"

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

TEST(StatementRoles, Classify) {
  struct Case {
    const char* text;
    StatementRole role;
    int letter;
  };
  const Case cases[] = {{"p=pal(0)", StatementRole::Palette, 0}, {"r=x", StatementRole::Channel, 0},
                        {"g=x", StatementRole::Channel, 1},      {"b=x", StatementRole::Channel, 2},
                        {"h=x", StatementRole::Channel, 3},      {"s=x", StatementRole::Channel, 4},
                        {"l=x", StatementRole::Channel, 5},      {"t=x", StatementRole::Pixel, 0},
                        {"x*y", StatementRole::Pixel, 0},        {"(p=1)+1", StatementRole::Pixel, 0}};
  for (const Case& c : cases) {
    std::unique_ptr<ParsedStatement> statement = ParsedStatement::FromFixedText(c.text);
    ASSERT_TRUE(statement) << c.text;
    const Classification what = Classify(statement->Tree(), statement->Symbols());
    EXPECT_EQ(what.role, c.role) << c.text;
    EXPECT_EQ(what.letter, c.letter) << c.text;
  }
}

TEST(StatementRoles, DefaultsFillTheGaps) {
  EXPECT_EQ(Build(""), "r=x; g=x; b=x; x");
  EXPECT_EQ(Build("x*y"), "r=x; g=x; b=x; x*y");
  EXPECT_EQ(Build("[x,y]"), "p=pal(0); [x,y]");
  EXPECT_EQ(Build("h=x"), "h=x; s=x; l=x; x");
  EXPECT_EQ(Build("g=y; x+y"), "r=x; g=y; b=x; x+y");
  EXPECT_EQ(Build("r=1; [x,y]"), "r=1; g=x; b=x; [x,y]");
}

TEST(StatementRoles, LaterStatementsWin) {
  EXPECT_EQ(Build("x; y"), "r=x; g=x; b=x; y");
  EXPECT_EQ(Build("r=x; r=255-x"), "r=255-x; g=x; b=x; x");
  EXPECT_EQ(Build("p=pal(3); r=x"), "p=pal(3); x");
  EXPECT_EQ(Build("p=pal(1); p=pal(2)"), "p=pal(2); x");
}

TEST(StatementRoles, MixedColourModelsFail) {
  EXPECT_EQ(Build("r=x; h=y"), "error: You cannot mix RGB with HSL color models.");
  EXPECT_EQ(Build("r=x; x+#"), "error: Unknown character: #");
}

TEST(StatementRoles, HslModeFollowsTheChannels) {
  ErrorRecord errors;
  Glyx glyx;
  ASSERT_TRUE(glyx.CreateFromText("s=x", errors));
  EXPECT_TRUE(glyx.hslMode);
  ASSERT_TRUE(glyx.CreateFromText("p=pal(1); l=x", errors));
  EXPECT_TRUE(glyx.hslMode);
  ASSERT_TRUE(glyx.CreateFromText("x", errors));
  EXPECT_FALSE(glyx.hslMode);
}

TEST(StatementRoles, FailureKeepsNothing) {
  ErrorRecord errors;
  Glyx glyx;
  EXPECT_FALSE(glyx.CreateFromText("p=pal(1); x; (", errors));
  EXPECT_FALSE(glyx.pixel);
  EXPECT_FALSE(glyx.palette);
  EXPECT_TRUE(glyx.InTextOrder().empty());
}

TEST(StatementRoles, ClipboardLayoutReadsBack) {
  const std::string copied = Build("r=x==64?0:x; g=x; b=x; snd(x)==y?255:0", "\n");
  EXPECT_EQ(copied, "r=x==64?0:x\ng=x\nb=x\nsnd(x)==y?255:0");
  EXPECT_EQ(Build(copied.c_str()), "r=x==64?0:x; g=x; b=x; snd(x)==y?255:0");
}

TEST(StatementRoles, EveryBuiltinExpressionPrintsBackUnchanged) {
  for (const char* text : kBuiltinGlyxes) EXPECT_EQ(Build(text), text);
}

}  // namespace
}  // namespace zorva
