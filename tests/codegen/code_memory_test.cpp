// The code generator's memory: sealed code and refused memory.

#include <gtest/gtest.h>

#include "lang/expr_kind.h"
#include "sys/exec_memory.h"
#include "sys/fault_guard.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

// Counts the nodes that still have a kind of the code generator's.
uint32_t CollectDerivedKinds(ExprNode* node, void* derived) {
  if (Descriptor(node->kind).base != node->kind) ++*static_cast<int*>(derived);
  return kVisitAllSlots;
}

void WriteIntoCode(void* code) { *static_cast<volatile uint8_t*>(code) = 0xC3; }

TEST(CodeMemory, FinishedCodeIsSealedAndRefusedMemoryLeavesAWholeTree) {
  const char* text = "x*2+sin(t)/4-theta(y,x)^2+(x<y?abs(y-x):x%3)";
  std::unique_ptr<Statement> fresh = Build(text);
  ASSERT_TRUE(fresh);
  const std::vector<uint8_t> sealed = RoutineBytes(*fresh);
  EXPECT_FALSE(sys::RunGuarded(WriteIntoCode, fresh->compiled->code->base));
  EXPECT_EQ(RoutineBytes(*fresh), sealed);
  std::unique_ptr<Statement> statement = Build(text);
  ASSERT_TRUE(statement);
  sys::RefuseCodeMemoryAfter(0);
  const bool compiled = statement->Recompile();
  sys::RefuseCodeMemoryAfter(-1);
  EXPECT_FALSE(compiled);
  int derived = 0;
  Walk(statement->tree->Root(), CollectDerivedKinds, &derived, WalkOrder::PreOrder);
  EXPECT_EQ(derived, 0);
  EXPECT_EQ(statement->Text(), text);
  // Without code a pass writes nothing; with memory again the code is the
  // same as that of a tree never refused.
  EXPECT_FALSE(Render(*statement, Pass(nullptr, 4, 1)).completed);
  ASSERT_TRUE(statement->Recompile());
  EXPECT_EQ(RoutineBytes(*statement).size(), RoutineBytes(*fresh).size());
  EXPECT_EQ(Render(*statement, Pass(nullptr, 64, 4)).bytes, Render(*fresh, Pass(nullptr, 64, 4)).bytes);
}

}  // namespace
}  // namespace zorva::testing
