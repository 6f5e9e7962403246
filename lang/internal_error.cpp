#include "lang/messages.h"

#include "sys/alert.h"
#include "sys/debugger.h"
#include "sys/message_strings.h"

namespace zorva {

void InternalError(MessageId id) {
  char text[128];
  sys::LoadMessageString(id, text, sizeof text);
  sys::ShowAlert(text);
  if (sys::DebuggerAttached()) sys::BreakIntoDebugger();
}

}  // namespace zorva
