// Cuts the text of one statement into tokens and records the errors of a parse.
#pragma once

#include "lang/error_record.h"
#include "lang/token.h"

namespace zorva {

// Thrown by Lexer::Raise; caught at the recovery point of the running parse.
struct ParseAbort {};

class Lexer {
 public:
  void Init(const char* text, ErrorRecord* errors);

  // Reads one token. False at the end of the text (the token stays as it was)
  // and after a lexical error (recorded; the token is left untouched too).
  bool Next(Token& token);

  // Next, but the end of the text raises message 13.
  void NextRequired(Token& token);

  // Records the message unless the record already holds one; without a
  // detail, the text from the statement's start to the end is appended.
  void RecordError(MessageId id, const char* detail = nullptr);

  // RecordError, then unwinds to the recovery point of the running parse.
  [[noreturn]] void Raise(MessageId id, const char* detail = nullptr);

  const char* Position() const { return pos; }
  const char* TokenStart() const { return tokenStart; }
  // Whether a lexical error was met since Init.
  bool Failed() const { return failed; }

 private:
  bool ReadString(Token& token);
  bool ReadNumber(char first, Token& token);
  bool ReadIdentifier(Token& token);
  bool ReadUnknown(char c);

  const char* start = nullptr;
  const char* tokenStart = nullptr;
  const char* pos = nullptr;
  ErrorRecord* errors = nullptr;
  bool failed = false;
};

}  // namespace zorva
