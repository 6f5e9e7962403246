#include "lang/symbol_table.h"

#include <gtest/gtest.h>

#include <string>

namespace zorva {
namespace {

TEST(SymbolTable, FreshTableHoldsBuiltinsThenVariables) {
  SymbolTable table;
  ASSERT_EQ(table.Count(), 38);
  EXPECT_EQ(table.At(22).kind, SymbolKind::Function);
  EXPECT_STREQ(table.At(22).name, "pal");
  EXPECT_STREQ(table.At(37).name, "l");
  // Adding an existing name returns its index.
  EXPECT_EQ(table.AddVariable("t"), 27);
  EXPECT_EQ(table.AddFunction("Sin", 0), 0);
  EXPECT_EQ(table.Count(), 38);
}

TEST(SymbolTable, HoldsAtMost48) {
#ifdef _WIN32
  GTEST_SKIP() << "the 49th symbol shows a message box";
#else
  SymbolTable table;
  for (int i = 38; i < 48; ++i) EXPECT_EQ(table.AddVariable(("v" + std::string(1, 'a' + i - 38)).c_str()), i);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(table.AddVariable("full"), -1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("INTERNAL ERROR: Too many symbols"), std::string::npos);
  EXPECT_EQ(table.Count(), 48);
#endif
}

}  // namespace
}  // namespace zorva
