#ifndef ZORVA_APP_CRITICAL_SECTION_H
#define ZORVA_APP_CRITICAL_SECTION_H

#include <windows.h>

// A lock that the thread holding it may take again. `Hold` keeps it for a
// scope.
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section); }
  ~CriticalSection() { DeleteCriticalSection(&section); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  class Hold {
   public:
    explicit Hold(CriticalSection& lock) : lock(lock) { EnterCriticalSection(&lock.section); }
    ~Hold() { LeaveCriticalSection(&lock.section); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    CriticalSection& lock;
  };

 private:
  CRITICAL_SECTION section;
};

#endif
