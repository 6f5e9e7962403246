// Why zorva evolve draws a child again before rendering it. A child of an
// ordinary parent is never costly, so the rule is held here rather than by a
// brood.
#include "cli/cull.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(Cull, RepeatsAndChildrenOfMoreThanThreeTimesTheParentsCodeAreDrawnAgain) {
  const std::unordered_set<std::string> seen{"x", "x+1"};
  EXPECT_STREQ(CullBeforeRendering("x+1", 100, 100, seen), "repeat");
  EXPECT_STREQ(CullBeforeRendering("x+2", 301, 100, seen), "costly");
  EXPECT_EQ(CullBeforeRendering("x+2", 300, 100, seen), nullptr);
}

}  // namespace
}  // namespace zorva
