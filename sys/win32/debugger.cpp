#include "sys/debugger.h"

#include <windows.h>

namespace zorva::sys {

bool DebuggerAttached() { return IsDebuggerPresent() != 0; }

void BreakIntoDebugger() { DebugBreak(); }

}  // namespace zorva::sys
