#include "lang/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorva {
namespace {

// The tokens of `text` as "kind:payload" items, then "end" or "error:MESSAGE".
std::vector<std::string> Lex(const char* text) {
  ErrorRecord errors;
  Lexer lexer;
  lexer.Init(text, &errors);
  std::vector<std::string> out;
  Token token;
  while (lexer.Next(token)) {
    std::string item = std::to_string(static_cast<int>(token.kind));
    if (token.kind == TokenKind::Number) item += ":" + std::to_string(token.number);
    if (token.kind == TokenKind::Identifier || token.kind == TokenKind::String) item += std::string(":") + token.text;
    out.push_back(item);
  }
  out.push_back(errors.HasMessage() ? std::string("error:") + errors.Message() : "end");
  return out;
}

using Tokens = std::vector<std::string>;

TEST(Lexer, NumbersIdentifiersAndOperators) {
  EXPECT_EQ(Lex("1e5"), (Tokens{"0:1", "1:e", "0:5", "end"}));
  EXPECT_EQ(Lex("-5"), (Tokens{"3", "0:5", "end"}));
  // Numbers wrap in 32 bits.
  EXPECT_EQ(Lex("4294967296"), (Tokens{"0:0", "end"}));
  EXPECT_EQ(Lex("2147483648"), (Tokens{"0:-2147483648", "end"}));
  // Identifiers keep their case and stop at seven letters (docs/language.md shows an eighth).
  EXPECT_EQ(Lex("Sin xM"), (Tokens{"1:Sin", "1:xM", "end"}));
  EXPECT_EQ(Lex("abcdefg"), (Tokens{"1:abcdefg", "end"}));
  // Only space, tab and line ends separate tokens.
  EXPECT_EQ(Lex("x\fy"), (Tokens{"1:x", "error:Unknown character: \f"}));
  // Two-character operators look one character ahead.
  EXPECT_EQ(Lex("<>"), (Tokens{"12", "end"}));
  EXPECT_EQ(Lex("< >"), (Tokens{"7", "8", "end"}));
  EXPECT_EQ(Lex("=<"), (Tokens{"14", "7", "end"}));
  EXPECT_EQ(Lex("><"), (Tokens{"8", "7", "end"}));
  EXPECT_EQ(Lex("==="), (Tokens{"9", "14", "end"}));
}

TEST(Lexer, Strings) {
  EXPECT_EQ(Lex("\"\""), (Tokens{"25:", "end"}));
  const std::string exactly128 = "\"" + std::string(128, 'q') + "\"";
  EXPECT_EQ(Lex(exactly128.c_str()), (Tokens{"25:" + std::string(127, 'q'), "end"}));
  const std::string unterminatedLong = "\"" + std::string(200, 'q');
  EXPECT_EQ(Lex(unterminatedLong.c_str()), (Tokens{"error:String too long" + unterminatedLong}));
}

}  // namespace
}  // namespace zorva
