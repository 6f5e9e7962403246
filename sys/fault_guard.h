// Keeps a fault in generated code from ending the process.
#pragma once

namespace zorva::sys {

// Runs body(argument) so that a processor fault inside it abandons the body
// instead of ending the process: an invalid memory access, an integer division
// by zero or overflow, a privileged instruction (Windows), or SIGSEGV, SIGBUS,
// SIGFPE and SIGILL (Linux). The stack and the callee-saved registers are
// those of this call again afterwards, so the frames that the body left must
// hold nothing that needs destroying.
// Returns false when a fault was caught.
bool RunGuarded(void (*body)(void*), void* argument);

}  // namespace zorva::sys
