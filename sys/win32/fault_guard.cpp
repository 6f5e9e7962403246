#include "sys/fault_guard.h"

#include <windows.h>

namespace {

struct Guard {
  void* jump[5];  // the frame, stack and resume address of __builtin_setjmp
  Guard* outer;
};

// Each thread has its own active guard. A system thread-local slot rather
// than the compiler's thread_local: reading it inside the exception handler
// allocates nothing, whatever the faulting thread was doing.
DWORD GuardSlot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

Guard* ActiveGuard() {
  const DWORD lastError = GetLastError();  // TlsGetValue clears it
  Guard* guard = static_cast<Guard*>(TlsGetValue(GuardSlot()));
  SetLastError(lastError);
  return guard;
}

void SetActiveGuard(Guard* guard) { TlsSetValue(GuardSlot(), guard); }

bool IsGuardedFault(DWORD code) {
  return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
         code == EXCEPTION_INT_OVERFLOW || code == EXCEPTION_PRIV_INSTRUCTION;
}

__attribute__((noinline, noreturn)) void ResumeAfterFault() {
  __builtin_longjmp(ActiveGuard()->jump, 1);
}

// GCC has no __try, so a vectored handler catches the fault. It does not jump
// out of the system's dispatcher itself: it lets the faulting thread continue
// in ResumeAfterFault, which then jumps back into RunGuarded. Faults of
// threads without a guard go on to the process's own handling.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  if (!IsGuardedFault(info->ExceptionRecord->ExceptionCode) || ActiveGuard() == nullptr)
    return EXCEPTION_CONTINUE_SEARCH;
  info->ContextRecord->Eip = reinterpret_cast<DWORD>(&ResumeAfterFault);
  return EXCEPTION_CONTINUE_EXECUTION;
}

class VectoredHandler {
 public:
  VectoredHandler() : handle(AddVectoredExceptionHandler(1, OnException)) {}
  ~VectoredHandler() { RemoveVectoredExceptionHandler(handle); }
  VectoredHandler(const VectoredHandler&) = delete;
  VectoredHandler& operator=(const VectoredHandler&) = delete;

 private:
  void* handle;
};

}  // namespace

namespace zorva::sys {

bool RunGuarded(void (*body)(void*), void* argument) {
  // Without a slot no fault could be caught: the body does not run.
  if (GuardSlot() == TLS_OUT_OF_INDEXES) return false;
  Guard guard{{}, ActiveGuard()};
  VectoredHandler handler;
  if (__builtin_setjmp(guard.jump) != 0) {
    SetActiveGuard(guard.outer);
    return false;
  }
  SetActiveGuard(&guard);
  body(argument);
  SetActiveGuard(guard.outer);
  return true;
}

}  // namespace zorva::sys
