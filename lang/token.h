// Tokens of the expression language.
#pragma once

#include <cstdint>

namespace zorva {

// The values are fixed: an operator node's ExprKind equals its token's value
// for Plus (2) to Assign (14).
enum class TokenKind : int32_t {
  Number = 0,
  Identifier = 1,
  Plus = 2,
  Minus = 3,
  Star = 4,
  Slash = 5,
  Percent = 6,
  Less = 7,
  Greater = 8,
  EqualEqual = 9,
  LessEqual = 10,
  GreaterEqual = 11,
  LessGreater = 12,
  Caret = 13,
  Assign = 14,
  LParen = 15,
  RParen = 16,
  LBracket = 17,
  RBracket = 18,
  Comma = 19,
  Question = 20,
  Colon = 21,
  LBrace = 22,
  RBrace = 23,
  Semicolon = 24,
  String = 25,
};

constexpr int kMaxIdentifierLength = 7;
constexpr int kStringBufferSize = 128;

struct Token {
  TokenKind kind = TokenKind::Number;
  union {
    int32_t number;                // Number: the value
    char text[kStringBufferSize];  // Identifier (at most 7 letters), String (at most 127)
  };

  Token() : number(0) {}
};

}  // namespace zorva
