#include "lang/symbol_table.h"

#include <gtest/gtest.h>

#include <string>

namespace zorva {
namespace {

TEST(SymbolTable, FreshTableHoldsBuiltinsThenVariables) {
  SymbolTable table;
  ASSERT_EQ(table.Count(), 38);
  const char* functions[] = {"sin", "cos",   "tan", "asin", "acos", "atan", "dsin", "decay",
                             "abs", "exp",   "rand", "peg", "theta", "rad", "sqrt", "snd",
                             "sndl", "sndr", "fft", "vol",  "saw",  "tri",  "pal"};
  for (int i = 0; i < 23; ++i) {
    const Symbol& symbol = table.At(i);
    EXPECT_STREQ(symbol.name, functions[i]);
    EXPECT_EQ(symbol.kind, SymbolKind::Function);
    EXPECT_EQ(symbol.builtin, i);
    EXPECT_EQ(symbol.cgClass, 1);
  }
  const char* variables[] = {"x", "y", "X", "Y", "t", "T", "xm", "ym", "r", "g", "b", "p", "h", "s", "l"};
  for (int i = 0; i < 15; ++i) {
    const Symbol& symbol = table.At(23 + i);
    EXPECT_STREQ(symbol.name, variables[i]);
    EXPECT_EQ(symbol.kind, SymbolKind::Variable);
    EXPECT_EQ(symbol.useCount, 0);
    EXPECT_EQ(symbol.builtin, 0);
    EXPECT_EQ(symbol.cgClass, 0);
    EXPECT_EQ(symbol.slot, -1);
  }
}

TEST(SymbolTable, LookupIsCaseSensitive) {
  SymbolTable table;
  EXPECT_EQ(table.Lookup("Sin"), -1);
  EXPECT_EQ(table.Lookup("sin"), 0);
  EXPECT_EQ(table.Lookup("X"), 25);
  EXPECT_EQ(table.Lookup("x"), 23);
  EXPECT_EQ(table.Lookup("foo"), -1);
}

TEST(SymbolTable, FunctionRowsAreReachable) {
  SymbolTable table;
  const Symbol& pal = table.At(table.Lookup("pal"));
  EXPECT_EQ(table.BuiltinOf(pal).minArgs, 1);
  EXPECT_EQ(table.BuiltinOf(pal).maxArgs, 2);
}

TEST(SymbolTable, AddingAnExistingNameReturnsItsIndex) {
  SymbolTable table;
  EXPECT_EQ(table.AddVariable("t"), 27);
  EXPECT_EQ(table.AddFunction("Sin", 0), 0);
  EXPECT_EQ(table.Count(), 38);
}

TEST(SymbolTable, LongNamesAreRefused) {
  SymbolTable table;
  EXPECT_EQ(table.AddVariable("abcdefgh"), -1);
  EXPECT_EQ(table.AddVariable("abcdefg"), 38);
  EXPECT_EQ(table.Count(), 39);
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
