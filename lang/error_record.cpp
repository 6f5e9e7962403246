#include "lang/error_record.h"

#include "sys/message_strings.h"

namespace zorva {

void ErrorRecord::BuildMessage(MessageId id, const char* detail) {
  if (hasMessage) return;
  char text[255];
  sys::LoadMessageString(id, text, sizeof text);
  message = text;
  if (detail) message += detail;
  hasMessage = true;
}

}  // namespace zorva
