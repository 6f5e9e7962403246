#include "sys/fault_guard.h"

#include <csetjmp>
#include <csignal>

namespace {

constexpr int kGuardedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int kSignalCount = sizeof kGuardedSignals / sizeof kGuardedSignals[0];

thread_local sigjmp_buf* activeJump = nullptr;

void OnFault(int) { siglongjmp(*activeJump, 1); }

// The handlers live only as long as the guarded call, so faults anywhere else
// keep the process's own handling.
class FaultHandlers {
 public:
  FaultHandlers() {
    struct sigaction action {};
    action.sa_handler = OnFault;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i)
      sigaction(kGuardedSignals[i], &action, &previous[i]);
  }
  ~FaultHandlers() {
    for (int i = 0; i < kSignalCount; ++i)
      sigaction(kGuardedSignals[i], &previous[i], nullptr);
  }
  FaultHandlers(const FaultHandlers&) = delete;
  FaultHandlers& operator=(const FaultHandlers&) = delete;

 private:
  struct sigaction previous[kSignalCount];
};

}  // namespace

namespace zorva::sys {

bool RunGuarded(void (*body)(void*), void* argument) {
  sigjmp_buf jump;
  sigjmp_buf* const outer = activeJump;
  FaultHandlers handlers;
  // Saving the signal mask lets siglongjmp unblock the signal being handled.
  if (sigsetjmp(jump, 1) != 0) {
    activeJump = outer;
    return false;
  }
  activeJump = &jump;
  body(argument);
  activeJump = outer;
  return true;
}

}  // namespace zorva::sys
