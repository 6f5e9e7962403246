// The first error message of one attempt to build an expression from a text.
#pragma once

#include <string>

#include "lang/messages.h"

namespace zorva {

class ErrorRecord {
 public:
  bool HasMessage() const { return hasMessage; }

  // The message text, or null while the record is empty.
  const char* Message() const { return hasMessage ? message.c_str() : nullptr; }

  // Stores the text of `id` followed directly by `detail` (null adds
  // nothing), unless the record already holds a message: the first wins.
  void BuildMessage(MessageId id, const char* detail);

 private:
  std::string message;
  bool hasMessage = false;
};

inline const char* MessageOf(const ErrorRecord& record) { return record.Message(); }

}  // namespace zorva
