#include "sys/debugger.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zorva::sys {

// A tracer (gdb, strace) shows as a non-zero "TracerPid:" line.
bool DebuggerAttached() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return false;
  char line[256];
  long tracer = 0;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      tracer = std::strtol(line + 10, nullptr, 10);
      break;
    }
  }
  std::fclose(status);
  return tracer != 0;
}

void BreakIntoDebugger() { std::raise(SIGTRAP); }

}  // namespace zorva::sys
