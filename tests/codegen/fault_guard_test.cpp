// The guard around generated code, with faults raised by ordinary code.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "sys/fault_guard.h"

#ifndef _WIN32
#include <csetjmp>
#include <csignal>
#endif

namespace zorva::sys {
namespace {

void WriteThroughBadAddress(void*) {
  volatile uintptr_t address = 16;  // hidden from the compiler, so the store is made
  *reinterpret_cast<volatile int*>(address) = 1;
}

// The processor's fault is the point: the sanitizer must not stop it first.
__attribute__((no_sanitize("undefined"))) void DivideByZero(void* result) {
  volatile int divisor = 0;
  *static_cast<int*>(result) = 7 / divisor;
}

void CountUp(void* counter) { ++*static_cast<int*>(counter); }

// The inner fault ends the inner guard only.
void FaultInsideInnerGuard(void* innerResult) {
  *static_cast<bool*>(innerResult) = RunGuarded(WriteThroughBadAddress, nullptr);
}

TEST(FaultGuard, CatchesFaultsAndLetsCleanBodiesFinish) {
  EXPECT_FALSE(RunGuarded(WriteThroughBadAddress, nullptr));
  int result = 0;
  EXPECT_FALSE(RunGuarded(DivideByZero, &result));
  int counter = 0;
  EXPECT_TRUE(RunGuarded(CountUp, &counter));
  EXPECT_EQ(counter, 1);
  bool innerResult = true;
  EXPECT_TRUE(RunGuarded(FaultInsideInnerGuard, &innerResult));
  EXPECT_FALSE(innerResult);
  // Again and again: nothing of an earlier catch stays behind.
  for (int i = 0; i < 100; ++i) ASSERT_FALSE(RunGuarded(WriteThroughBadAddress, nullptr));
}

void WaitFor(const std::atomic<bool>& flag) {
  while (!flag) std::this_thread::yield();
}

// Two threads inside guarded calls at once: the fault of the one that
// entered first is still its own.
struct TwoGuards {
  std::atomic<bool> firstInside{false};
  std::atomic<bool> secondInside{false};
  std::atomic<bool> firstDone{false};
};

void FaultOnceTheSecondIsInside(void* shared) {
  TwoGuards& two = *static_cast<TwoGuards*>(shared);
  two.firstInside = true;
  WaitFor(two.secondInside);
  WriteThroughBadAddress(nullptr);
}

void WaitForTheFirstToFault(void* shared) {
  TwoGuards& two = *static_cast<TwoGuards*>(shared);
  two.secondInside = true;
  WaitFor(two.firstDone);
}

TEST(FaultGuard, EachThreadHasItsOwnGuard) {
  TwoGuards two;
  bool firstResult = true;
  std::thread first([&] {
    firstResult = RunGuarded(FaultOnceTheSecondIsInside, &two);
    two.firstDone = true;
  });
  WaitFor(two.firstInside);
  EXPECT_TRUE(RunGuarded(WaitForTheFirstToFault, &two));
  first.join();
  EXPECT_FALSE(firstResult);
}

#ifndef _WIN32
void OtherHandler(int) {}

// The process's own handler: it recovers the thread it runs on.
thread_local sigjmp_buf* processRecovery = nullptr;
std::atomic<int> processHandlerCalls{0};

void ProcessHandler(int) {
  ++processHandlerCalls;
  siglongjmp(*processRecovery, 1);
}

void FaultUnguarded() {
  sigjmp_buf recovery;
  processRecovery = &recovery;
  if (sigsetjmp(recovery, 1) == 0) WriteThroughBadAddress(nullptr);
}

void FaultOnAnotherThread(void*) { std::thread(FaultUnguarded).join(); }

struct Hold {
  std::atomic<bool> inside{false};
  std::atomic<bool> released{false};
};

void HoldUntilReleased(void* shared) {
  Hold& hold = *static_cast<Hold*>(shared);
  hold.inside = true;
  WaitFor(hold.released);
}

TEST(FaultGuard, FaultsOutsideTheGuardedCallReachTheProcessHandler) {
  struct sigaction own {};
  own.sa_handler = ProcessHandler;
  sigemptyset(&own.sa_mask);
  struct sigaction before {};
  sigaction(SIGSEGV, &own, &before);
  // Another thread faults while this one is guarded.
  EXPECT_TRUE(RunGuarded(FaultOnAnotherThread, nullptr));
  EXPECT_EQ(processHandlerCalls, 1);
  // This thread faults outside a guard while another thread is guarded.
  Hold hold;
  std::thread guarded([&] { RunGuarded(HoldUntilReleased, &hold); });
  WaitFor(hold.inside);
  FaultUnguarded();
  hold.released = true;
  guarded.join();
  EXPECT_EQ(processHandlerCalls, 2);
  sigaction(SIGSEGV, &before, nullptr);
}

TEST(FaultGuard, PutsTheProcessHandlersBack) {
  struct sigaction own {};
  own.sa_handler = OtherHandler;
  struct sigaction before {};
  sigaction(SIGSEGV, &own, &before);
  RunGuarded(WriteThroughBadAddress, nullptr);
  struct sigaction after {};
  sigaction(SIGSEGV, &before, &after);
  EXPECT_EQ(after.sa_handler, OtherHandler);
}
#endif

}  // namespace
}  // namespace zorva::sys
