// The debugger seam of internal errors.
#pragma once

namespace zorva::sys {

bool DebuggerAttached();

// Stops at a breakpoint. Only call it when DebuggerAttached(): without a
// debugger the breakpoint would end the player's process.
void BreakIntoDebugger();

}  // namespace zorva::sys
