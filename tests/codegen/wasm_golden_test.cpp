// The exact bytes of the WebAssembly modules that statements compile to:
// a whole module, then the expression code of each construct.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "codegen/wasm_compiler.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

// Addresses that keep the bytes independent of where the tables lie.
constexpr WasmAddresses kAddresses = {0x1000, 0x1100, 0x1200, 0x1300, 0x1400, 0x1500, 0x1600,
                                      0x1700, 0x1800, 0x1A00, 0x1B00, 0x6000, 0x10000, 0x20000};

std::vector<uint8_t> Module(const char* text) {
  std::unique_ptr<Statement> statement = Build(text);
  if (!statement) return {};
  return CompileToWasm(*statement, kAddresses);
}

// The expression's code sits between shifting the group and shifting the
// new value into it; neither sequence can occur inside it (local 5 is the
// group's).
std::string ExpressionCode(const char* text) {
  const std::vector<uint8_t> bytes = Module(text);
  const std::vector<uint8_t> before = {0x20, 0x05, 0x41, 0x08, 0x76};
  const std::vector<uint8_t> after = {0x41, 0x18, 0x74, 0x72, 0x21, 0x05};
  const auto start = std::search(bytes.begin(), bytes.end(), before.begin(), before.end());
  const auto end = std::find_end(bytes.begin(), bytes.end(), after.begin(), after.end());
  if (start == bytes.end() || end == bytes.end()) return "no expression";
  return Hex(std::vector<uint8_t>(start + before.size(), end));
}

#define EXPECT_WASM(text, expected) EXPECT_EQ(ExpressionCode(text), expected) << text

// Types, the memory import, the row function and its loop over groups of
// four pixels around the expression x+y (x in local 1, y's slot in local 10).
TEST(WasmGolden, XPlusYIsTheWholeModule) {
  const std::string expected =
      "00 61 73 6d 01 00 00 00 "
      "01 13 03 60 01 7f 01 7f 60 03 7f 7f 7f 01 7f 60 02 7f 7f 01 7f "
      "02 0f 01 03 65 6e 76 06 6d 65 6d 6f 72 79 02 00 00 "
      "03 02 01 00 07 07 01 03 72 6f 77 00 00 "
      "0a 6a 01 68 01 0a 7f "
      "20 00 28 02 00 21 02 20 00 28 02 04 21 03 20 00 28 02 14 21 04 20 00 28 02 44 21 0a "
      "03 40 41 04 21 06 03 40 20 05 41 08 76 "
      "20 01 20 0a 6a "
      "41 18 74 72 21 05 20 01 20 02 6a 21 01 20 06 41 01 6b 22 06 0d 00 0b "
      "20 04 20 05 36 02 00 20 04 41 04 6a 21 04 20 01 20 03 48 0d 00 0b "
      "20 00 20 04 36 02 14 41 01 0b";
  EXPECT_EQ(Hex(Module("x+y")), expected);
}

TEST(WasmGolden, LeavesAndOperators) {
  EXPECT_WASM("7", "41 07");
  EXPECT_WASM("y", "20 0a");
  EXPECT_WASM("x", "20 01");
  EXPECT_WASM("t+x", "20 0a 20 01 6a");
  EXPECT_WASM("x-y", "20 01 20 0a 6b");
  EXPECT_WASM("(x+y)-(t+y)", "20 0b 20 0a 6a 21 0c 20 01 20 0a 6a 20 0c 6b");  // right operand first
  EXPECT_WASM("x*y", "20 01 20 0a 6c");
  EXPECT_WASM("x*0", "41 00");
  EXPECT_WASM("x<y", "20 01 20 0a 48");
  EXPECT_WASM("x>y", "20 01 20 0a 4a");
  EXPECT_WASM("x==y", "20 01 20 0a 46");
  EXPECT_WASM("x<=y", "20 01 20 0a 4c");
  EXPECT_WASM("x>=y", "20 01 20 0a 4e");
  EXPECT_WASM("x<>y", "20 01 20 0a 47");
  EXPECT_WASM("-x", "41 00 20 01 6b");
  EXPECT_WASM("y?x:t", "20 0a 04 7f 20 01 05 20 0b 0b");
  EXPECT_WASM("r=x+1", "20 01 41 01 6a");
  EXPECT_WASM("{x,y}", "20 01 1a 20 0a 1a 41 00");
  EXPECT_WASM("[x,y]", "20 01 21 0b 20 0a 21 0c 20 0c 20 00 28 02 38 4f 20 0b 20 00 28 02 34 4f 72 04 7f 41 "
              "00 05 20 00 28 02 28 20 0b 6a 20 00 28 02 3c 20 00 28 02 38 20 0c 6b 41 01 6b 6c 6a 2d 00 00 "
              "0b");
}

// A divisor of 0 or -1 takes the rare branch: the dividend, -a or 0, or the
// fault's return 0 for -2147483648.
TEST(WasmGolden, DivisionsAndPowers) {
  EXPECT_WASM("x/y", "20 01 21 0b 20 0a 21 0c 20 0c 41 01 6a 41 01 4d 04 7f 20 0c 04 7f 20 0b 41 80 80 80 "
              "80 78 46 04 40 41 00 0f 0b 41 00 20 0b 6b 05 20 0b 0b 05 20 0b 20 0c 6d 0b");
  EXPECT_WASM("x%y", "20 01 21 0b 20 0a 21 0c 20 0c 41 01 6a 41 01 4d 04 7f 20 0c 04 7f 20 0b 41 80 80 80 "
              "80 78 46 04 40 41 00 0f 0b 41 00 05 20 0b 0b 05 20 0b 20 0c 6f 0b");
  EXPECT_WASM("x/2", "20 01 41 01 75");
  EXPECT_WASM("x/0", "20 01");
  EXPECT_WASM("x/3", "20 01 41 03 6d");
  EXPECT_WASM("x%5", "20 01 41 05 6f");
  EXPECT_WASM("x^2", "20 01 22 0a 20 0a 6c");
  EXPECT_WASM("x^y", "20 01 20 0a 10 01");  // the power helper after the row function
}

// Tables at 0x1000 (sine) to 0x1B00 (palettes), the random state at 0x6000,
// the square roots at 0x10000 and the reciprocals at 0x20000; the centre in
// locals 7 and 8, the channel in local 9.
TEST(WasmGolden, InlineBuiltins) {
  EXPECT_WASM("abs(x)", "20 01 21 0a 41 00 20 0a 6b 20 0a 20 0a 41 00 48 1b");
  EXPECT_WASM("sin(x)", "20 01 41 ff 01 71 2d 00 80 20");
  EXPECT_WASM("peg(x)", "20 01 21 0b 41 00 41 ff 01 20 0b 20 0b 41 ff 01 4a 1b 20 0b 41 00 48 1b");
  EXPECT_WASM("saw(x)", "20 01 41 01 74 41 ff 01 71");
  EXPECT_WASM("tri(x)", "20 01 41 ff 01 71 22 0a 41 01 74 41 00 20 0a 41 07 76 6b 73 41 ff 01 71");
  EXPECT_WASM("snd(x)", "20 01 41 ff 01 71 41 01 74 2d 00 80 30");
  EXPECT_WASM("atan(x)", "20 01 21 0a 41 00 41 ff 01 20 0a 20 0a 41 ff 01 4a 1b 20 0a 41 00 48 1b 2d 00 80 "
              "28");
  EXPECT_WASM("exp(x)", "20 01 21 0a 41 00 20 0a 21 0b 41 00 41 ff 01 20 0b 20 0b 41 ff 01 4a 1b 20 0b 41 "
              "00 48 1b 41 02 74 28 02 80 2e 20 0a 41 00 48 1b");
  EXPECT_WASM("rand(x)", "20 01 22 0a 45 04 7f 41 00 05 41 00 41 00 28 02 80 c0 01 41 fd 87 0d 6c 41 c3 bd "
              "9a 01 6a 22 0b 36 02 80 c0 01 20 0b 41 10 76 41 ff ff 01 71 22 0b 20 0b 20 0a 70 20 0a 41 ff "
              "ff 01 4b 1b 0b");
  EXPECT_WASM("pal(3,y)", "41 03 20 0a 21 0c 21 0b 20 01 20 0b 41 01 6b 41 1c 70 41 80 06 6c 20 0c 20 01 6a "
              "41 ff 01 71 41 03 6c 6a 20 09 6a 2d 00 80 36 20 0b 45 1b");
  EXPECT_WASM("vol(x)", "20 01 22 0a 41 f7 ff ff ff 07 4a 04 7f 41 00 05 41 00 20 0a 41 ff 01 71 41 01 74 "
              "2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 0c 73 20 0c 6b 6a 20 0a 41 01 6a 41 ff 01 71 "
              "41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 0c 73 20 0c 6b 6a 20 0a 41 02 6a 41 "
              "ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 0c 73 20 0c 6b 6a 20 0a 41 "
              "03 6a 41 ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 0c 73 20 0c 6b 6a "
              "20 0a 41 04 6a 41 ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 0c 73 20 "
              "0c 6b 6a 20 0a 41 05 6a 41 ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 1f 75 22 "
              "0c 73 20 0c 6b 6a 20 0a 41 06 6a 41 ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b 20 0b 41 "
              "1f 75 22 0c 73 20 0c 6b 6a 20 0a 41 07 6a 41 ff 01 71 41 01 74 2d 00 80 30 41 80 01 6b 22 0b "
              "20 0b 41 1f 75 22 0c 73 20 0c 6b 6a 41 02 76 0b");
  EXPECT_WASM("sqrt(x)", "20 01 22 0a 41 80 80 04 49 04 7f 20 0a 2d 00 80 80 04 05 20 0a 10 00 0b");
  EXPECT_WASM("rad(x,y)", "20 01 20 0a 20 08 6b 21 0b 20 07 6b 22 0c 20 0c 6c 20 0b 20 0b 6c 6a 22 0b 41 80 "
              "80 04 49 04 7f 20 0b 2d 00 80 80 04 05 20 0b 10 00 0b");
  EXPECT_WASM("theta(x,y)", "20 01 20 0a 20 08 6b 21 0c 20 07 6b 21 0b 20 0c 41 1f 75 21 0d 20 0c 20 0d 73 "
              "20 0d 6b 22 0e 20 0b 20 0b 41 1f 75 22 0f 73 20 0f 6b 6a 22 0f 41 01 6b 41 ff 07 4f 04 7f 20 "
              "0b 20 07 6a 20 0c 20 08 6a 20 00 10 00 05 20 0e 41 06 74 ad 20 0f 41 02 74 28 02 80 80 08 ad "
              "7e 41 1f ad 88 a7 20 0d 73 20 0d 6b 21 0e 41 80 01 20 0e 6b 20 0e 20 0e 41 ff 01 6a 20 0d 45 "
              "1b 20 0b 41 00 48 1b 0b");
}

// Only tan and the rare cases of sqrt, rad (sqrt) and theta call a
// routine: each imported once, in row order, as "routine" and its name.
TEST(WasmGolden, RoutinesAreImportedByName) {
  EXPECT_WASM("tan(x)", "20 01 10 00");
  const std::vector<uint8_t> bytes = Module("rad(x,y)+tan(x)+tan(y)+theta(y,x)");
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\x07routine\x03tan\x00\x00"), std::string::npos);
  EXPECT_NE(text.find("\x07routine\x05theta\x00\x01"), std::string::npos);
  EXPECT_NE(text.find("\x07routine\x04sqrt\x00\x00"), std::string::npos);
  EXPECT_LT(text.find("tan"), text.find("theta"));
  EXPECT_LT(text.find("theta"), text.find("sqrt"));
  EXPECT_EQ(text.find("tan"), text.rfind("tan"));
  EXPECT_EQ(text.find("rad"), std::string::npos);
}

}  // namespace
}  // namespace zorva::testing
