// Message ids of the expression language, the texts' keys in the string table.
#pragma once

#include "resources/messages.h"

namespace zorva {

#define ZORVA_MESSAGE_ID(id, name, text) name = id,
enum MessageId : int { ZORVA_MESSAGE_LIST(ZORVA_MESSAGE_ID) };
#undef ZORVA_MESSAGE_ID

// Shows an internal consistency error at once (message box on Windows,
// standard error on Linux) and stops at a breakpoint when a debugger is
// attached. The caller goes on afterwards.
void InternalError(MessageId id);

}  // namespace zorva
