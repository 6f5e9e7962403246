// The cache of browser-compiled rows: one request per module, shared by the
// statements with the same code, and a bounded number of rows kept.

#include <gtest/gtest.h>

#include <string>

#include "codegen/wasm_rows.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

WasmRow FakeRow(uintptr_t n) { return reinterpret_cast<WasmRow>(n); }

TEST(WasmRows, StatementsWithTheSameCodeShareOneRequestAndItsRow) {
  WasmRows rows(CoreAddresses());
  std::unique_ptr<Statement> first = Build("x*y+t");
  std::unique_ptr<Statement> second = Build("x*y+t");
  EXPECT_EQ(rows.Find(*first), nullptr);
  EXPECT_EQ(rows.Find(*second), nullptr);
  uint32_t request = 0;
  std::string module;
  ASSERT_TRUE(rows.NextRequest(&request, &module));
  EXPECT_FALSE(rows.NextRequest(&request, &module)) << "asked for twice";
  const std::vector<uint8_t> bytes = CompileToWasm(*first, CoreAddresses());
  EXPECT_EQ(module, std::string(bytes.begin(), bytes.end()));
  EXPECT_FALSE(rows.Install(request + 1, FakeRow(7)));
  EXPECT_TRUE(rows.Install(request, FakeRow(7)));
  EXPECT_FALSE(rows.Install(request, FakeRow(8))) << "installed twice";
  EXPECT_EQ(rows.Find(*second), FakeRow(7));
  ASSERT_TRUE(second->Recompile());  // a new compilation of the same code
  EXPECT_EQ(rows.Find(*second), FakeRow(7));
  EXPECT_EQ(rows.Find(*Build("x*y+y")), nullptr);
}

// Beyond 64 modules the least recently used row goes back to the caller,
// and a request for a dropped module installs nothing.
TEST(WasmRows, KeepsAtMostSixtyFourRowsDroppingTheLeastRecentlyUsed) {
  WasmRows rows(CoreAddresses());
  std::vector<std::unique_ptr<Statement>> statements;
  for (int i = 0; i <= 64; ++i) statements.push_back(Build(("x+" + std::to_string(i)).c_str()));
  uint32_t request = 0;
  std::string module;
  rows.Find(*statements[0]);
  ASSERT_TRUE(rows.NextRequest(&request, &module));
  ASSERT_TRUE(rows.Install(request, FakeRow(100)));
  for (int i = 1; i < 64; ++i) rows.Find(*statements[i]);
  EXPECT_EQ(rows.NextReleased(), nullptr);
  rows.Find(*statements[64]);
  EXPECT_EQ(rows.NextReleased(), FakeRow(100));
  EXPECT_EQ(rows.NextReleased(), nullptr);
  EXPECT_EQ(rows.Find(*statements[0]), nullptr) << "dropped, so asked for again";
}

}  // namespace
}  // namespace zorva::testing
