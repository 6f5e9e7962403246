#include "lang/lexer.h"

#include <cstring>

namespace zorva {
namespace {

// Bytes are compared as signed: a byte of 128 or more is negative and matches
// none of these, so it ends up an unknown character.
bool IsBlank(signed char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(signed char c) { return c >= '0' && c <= '9'; }
bool IsLetter(signed char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Marks a character that starts no operator.
constexpr TokenKind kNoOperator = static_cast<TokenKind>(-1);

// The kind of operator c, reading a second character at `next` when it
// completes a two-character operator ("=<", "=>" and "><" are two tokens
// each). kNoOperator for anything else.
TokenKind OperatorKind(char c, const char*& next) {
  switch (c) {
    case '+': return TokenKind::Plus;
    case '-': return TokenKind::Minus;
    case '*': return TokenKind::Star;
    case '/': return TokenKind::Slash;
    case '%': return TokenKind::Percent;
    case '^': return TokenKind::Caret;
    case '(': return TokenKind::LParen;
    case ')': return TokenKind::RParen;
    case '[': return TokenKind::LBracket;
    case ']': return TokenKind::RBracket;
    case ',': return TokenKind::Comma;
    case '?': return TokenKind::Question;
    case ':': return TokenKind::Colon;
    case '{': return TokenKind::LBrace;
    case '}': return TokenKind::RBrace;
    case ';': return TokenKind::Semicolon;
    case '<':
      if (*next == '=') return ++next, TokenKind::LessEqual;
      if (*next == '>') return ++next, TokenKind::LessGreater;
      return TokenKind::Less;
    case '>':
      if (*next == '=') return ++next, TokenKind::GreaterEqual;
      return TokenKind::Greater;
    case '=':
      if (*next == '=') return ++next, TokenKind::EqualEqual;
      return TokenKind::Assign;
    default: return kNoOperator;
  }
}

}  // namespace

void Lexer::Init(const char* text, ErrorRecord* record) {
  start = tokenStart = pos = text;
  errors = record;
  failed = false;
}

bool Lexer::Next(Token& token) {
  tokenStart = pos;
  while (IsBlank(*pos)) ++pos;
  if (*pos == '\0') return false;
  const signed char c = *pos++;
  if (c == '"') return ReadString(token);
  if (IsDigit(c)) return ReadNumber(c, token);
  if (IsLetter(c)) return ReadIdentifier(token);
  const TokenKind kind = OperatorKind(c, pos);
  if (kind == kNoOperator) return ReadUnknown(c);
  token.kind = kind;
  return true;
}

void Lexer::NextRequired(Token& token) {
  if (!Next(token)) Raise(kMsgNotComplete);
}

void Lexer::RecordError(MessageId id, const char* detail) {
  failed = true;
  errors->BuildMessage(id, detail ? detail : start);
}

void Lexer::Raise(MessageId id, const char* detail) {
  RecordError(id, detail);
  throw ParseAbort{};
}

// The opening quote is read. A string of up to 128 characters is accepted;
// the token keeps the first 127.
bool Lexer::ReadString(Token& token) {
  const char* text = pos;
  int length = 0;
  for (;; ++pos) {
    if (*pos == '"') break;
    if (*pos == '\0') return RecordError(kMsgMissingQuote), false;
    if (length == kStringBufferSize) return RecordError(kMsgStringTooLong), false;
    ++length;
  }
  ++pos;
  const int kept = length < kStringBufferSize ? length : kStringBufferSize - 1;
  token.kind = TokenKind::String;
  std::memcpy(token.text, text, kept);
  token.text[kept] = '\0';
  return true;
}

// No sign and no overflow check: the value wraps in 32 bits.
bool Lexer::ReadNumber(char first, Token& token) {
  uint32_t value = first - '0';
  while (IsDigit(*pos)) value = value * 10u + static_cast<uint32_t>(*pos++ - '0');
  token.kind = TokenKind::Number;
  token.number = static_cast<int32_t>(value);
  return true;
}

// Only letters continue a name: "x2" is "x" then 2.
bool Lexer::ReadIdentifier(Token& token) {
  const char* name = pos - 1;
  while (IsLetter(*pos)) ++pos;
  const int length = static_cast<int>(pos - name);
  if (length > kMaxIdentifierLength) return RecordError(kMsgIdentifierTooLong), false;
  token.kind = TokenKind::Identifier;
  std::memcpy(token.text, name, length);
  token.text[length] = '\0';
  return true;
}

bool Lexer::ReadUnknown(char c) {
  const char detail[2] = {c, '\0'};
  RecordError(kMsgUnknownCharacter, detail);
  return false;
}

}  // namespace zorva
