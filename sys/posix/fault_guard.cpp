#include "sys/fault_guard.h"

#include <csetjmp>
#include <csignal>
#include <mutex>

namespace {

constexpr int kGuardedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int kSignalCount = sizeof kGuardedSignals / sizeof kGuardedSignals[0];

// The guarded call of this thread, if one runs.
thread_local sigjmp_buf* activeJump = nullptr;

// The handlers are process-wide while any thread runs a guarded call; the
// ones they replaced stay here and get every fault that is not ours.
std::mutex installLock;
int guardsRunning = 0;
struct sigaction previous[kSignalCount];

int IndexOf(int signal) {
  for (int i = 0; i < kSignalCount; ++i)
    if (kGuardedSignals[i] == signal) return i;
  return 0;
}

// A fault outside a guarded call, on another thread or on this one, goes to
// the handler the process had. Where it had none, the default disposition
// comes back and the signal is raised again, so the fault ends the process
// as it would have without us.
void PassOn(int signal, siginfo_t* info, void* context) {
  const struct sigaction& before = previous[IndexOf(signal)];
  if (before.sa_flags & SA_SIGINFO) return before.sa_sigaction(signal, info, context);
  if (before.sa_handler == SIG_IGN && info->si_code == SI_USER) return;  // sent, not a fault
  if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) return before.sa_handler(signal);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigaction(signal, &fallback, nullptr);
  raise(signal);
}

void OnFault(int signal, siginfo_t* info, void* context) {
  if (activeJump != nullptr) siglongjmp(*activeJump, 1);
  PassOn(signal, info, context);
}

class FaultHandlers {
 public:
  FaultHandlers() {
    const std::lock_guard<std::mutex> hold(installLock);
    if (guardsRunning++ > 0) return;
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) sigaction(kGuardedSignals[i], &action, &previous[i]);
  }
  ~FaultHandlers() {
    const std::lock_guard<std::mutex> hold(installLock);
    if (--guardsRunning > 0) return;
    for (int i = 0; i < kSignalCount; ++i) sigaction(kGuardedSignals[i], &previous[i], nullptr);
  }
  FaultHandlers(const FaultHandlers&) = delete;
  FaultHandlers& operator=(const FaultHandlers&) = delete;
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
