#include "lang/lexer.h"

#include <cstring>

namespace zorva {
namespace {

// Bytes are compared as signed: a byte of 128 or more is negative and matches
// none of these, so it ends up an unknown character.
bool IsBlank(signed char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(signed char c) { return c >= '0' && c <= '9'; }
bool IsLetter(signed char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

constexpr int kNotAnOperator = -1;

}  // namespace

void Lexer::Init(const char* text, ErrorRecord* record) {
  start = tokenStart = pos = text;
  errors = record;
}

bool Lexer::Next(Token& token) {
  tokenStart = pos;
  while (IsBlank(*pos)) ++pos;
  if (*pos == '\0') return false;
  const signed char c = *pos++;
  if (c == '"') return ReadString(token);
  if (IsDigit(c)) return ReadNumber(c, token);
  if (IsLetter(c)) return ReadIdentifier(token);
  const int kind = ReadOperator(c);
  if (kind == kNotAnOperator) return ReadUnknown(c);
  token.kind = static_cast<TokenKind>(kind);
  return true;
}

void Lexer::NextRequired(Token& token) {
  if (!Next(token)) Raise(kMsgNotComplete);
}

void Lexer::RecordError(MessageId id, const char* detail) {
  errors->BuildMessage(id, detail ? detail : start);
}

void Lexer::Raise(MessageId id, const char* detail) {
  RecordError(id, detail);
  throw ParseAbort{};
}

// Operators decide a second character by the one byte after the first,
// consumed only when it matches: "=<", "=>" and "><" are two tokens each.
int Lexer::ReadOperator(char c) {
  switch (c) {
    case '+': return Plus;
    case '-': return Minus;
    case '*': return Star;
    case '/': return Slash;
    case '%': return Percent;
    case '^': return Caret;
    case '(': return LParen;
    case ')': return RParen;
    case '[': return LBracket;
    case ']': return RBracket;
    case ',': return Comma;
    case '?': return Question;
    case ':': return Colon;
    case '{': return LBrace;
    case '}': return RBrace;
    case ';': return Semicolon;
    case '<':
      if (*pos == '=') return ++pos, LessEqual;
      if (*pos == '>') return ++pos, LessGreater;
      return Less;
    case '>':
      if (*pos == '=') return ++pos, GreaterEqual;
      return Greater;
    case '=':
      if (*pos == '=') return ++pos, EqualEqual;
      return Assign;
    default: return kNotAnOperator;
  }
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
  token.kind = String;
  std::memcpy(token.text, text, kept);
  token.text[kept] = '\0';
  return true;
}

// No sign and no overflow check: the value wraps in 32 bits.
bool Lexer::ReadNumber(char first, Token& token) {
  uint32_t value = first - '0';
  while (IsDigit(*pos)) value = value * 10u + static_cast<uint32_t>(*pos++ - '0');
  token.kind = Number;
  token.number = static_cast<int32_t>(value);
  return true;
}

// Only letters continue a name: "x2" is "x" then 2.
bool Lexer::ReadIdentifier(Token& token) {
  const char* name = pos - 1;
  while (IsLetter(*pos)) ++pos;
  const int length = static_cast<int>(pos - name);
  if (length > kMaxIdentifierLength) return RecordError(kMsgIdentifierTooLong), false;
  token.kind = Identifier;
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
