// The guard around generated code, with faults raised by ordinary code.

#include <gtest/gtest.h>

#include <cstdint>

#include "sys/fault_guard.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace zorva::sys {
namespace {

void WriteThroughBadAddress(void*) {
  volatile uintptr_t address = 16;  // hidden from the compiler, so the store is made
  *reinterpret_cast<volatile int*>(address) = 1;
}

void DivideByZero(void* result) {
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

#ifndef _WIN32
void OtherHandler(int) {}

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
