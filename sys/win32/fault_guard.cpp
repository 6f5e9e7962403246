#include "sys/fault_guard.h"

#include <windows.h>

namespace {

struct Guard {
  void* jump[5];  // the frame, stack and resume address of __builtin_setjmp
  DWORD threadId;
  Guard* outer;
};

Guard* activeGuard = nullptr;

bool IsGuardedFault(DWORD code) {
  return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
         code == EXCEPTION_INT_OVERFLOW || code == EXCEPTION_PRIV_INSTRUCTION;
}

__attribute__((noinline, noreturn)) void ResumeAfterFault() {
  __builtin_longjmp(activeGuard->jump, 1);
}

// GCC has no __try, so a vectored handler catches the fault. It does not jump
// out of the system's dispatcher itself: it lets the faulting thread continue
// in ResumeAfterFault, which then jumps back into RunGuarded.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  Guard* guard = activeGuard;
  if (guard == nullptr || guard->threadId != GetCurrentThreadId() ||
      !IsGuardedFault(info->ExceptionRecord->ExceptionCode))
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
  Guard guard{{}, GetCurrentThreadId(), activeGuard};
  VectoredHandler handler;
  if (__builtin_setjmp(guard.jump) != 0) {
    activeGuard = guard.outer;
    return false;
  }
  activeGuard = &guard;
  body(argument);
  activeGuard = guard.outer;
  return true;
}

}  // namespace zorva::sys
