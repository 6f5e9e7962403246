// The exact bytes that each template and the row routine's frame produce.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "codegen/lookup_tables.h"
#include "codegen/sound_frame.h"
#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

constexpr size_t kFrameBytes = 97;  // the row routine without its four copies of the expression
constexpr size_t kExpressionStart = 18;

// The expression's code: the first of its four copies in the row routine.
std::string ExpressionCode(const char* text) {
  std::unique_ptr<Statement> statement = Build(text);
  if (!statement) return "no code";
  const std::vector<uint8_t> bytes = RoutineBytes(*statement);
  const size_t length = (bytes.size() - kFrameBytes) / 4;
  return Hex(std::vector<uint8_t>(bytes.begin() + kExpressionStart,
                                  bytes.begin() + kExpressionStart + length));
}

std::string AddressHex(const void* address) {
  uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
  std::vector<uint8_t> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return Hex(bytes);
}

// "??" in the expected text stands for a byte that depends on where the
// code lies (a call's displacement).
::testing::AssertionResult CodeMatches(const std::string& expected, const std::string& actual) {
  if (expected.size() == actual.size()) {
    bool same = true;
    for (size_t i = 0; i < expected.size(); ++i)
      same = same && (expected[i] == '?' || expected[i] == actual[i]);
    if (same) return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "expected " << expected << "\n  actual " << actual;
}

#define EXPECT_CODE(text, expected) EXPECT_TRUE(CodeMatches(expected, ExpressionCode(text))) << text

TEST(CodeGenGolden, XPlusYIsTheWholeRowRoutine) {
  const std::string e = "8b c6 8b d8 8b 47 44 03 c3 ";
  const std::string expected =
      "57 8b 7c 24 08 53 55 56 33 f6 90 90 90 90 90 90 33 ed " + e +
      "25 ff 00 00 00 8b 5f 00 0b e8 03 f3 " + e +
      "8b 5f 00 25 ff 00 00 00 c1 e0 08 03 f3 0b e8 " + e +
      "8b 5f 00 25 ff 00 00 00 c1 e0 10 03 f3 0b e8 " + e +
      "8b 5f 00 c1 e0 18 03 f3 0b e8 "
      "8b 5f 14 89 2b 83 c3 04 89 5f 14 3b 77 04 0f 8c 92 ff ff ff 5e 5d 5b 5f c2 04 00";
  std::unique_ptr<Statement> statement = Build("x+y");
  ASSERT_TRUE(statement);
  EXPECT_EQ(statement->compiled->code->size, 133u);
  EXPECT_EQ(Hex(RoutineBytes(*statement)), expected);
}

TEST(CodeGenGolden, LeavesAndOperators) {
  EXPECT_CODE("7", "b8 07 00 00 00");
  EXPECT_CODE("y", "8b 47 40");
  EXPECT_CODE("x", "8b c6");
  EXPECT_CODE("x-y", "8b 47 44 8b d8 8b c6 2b c3");
  EXPECT_CODE("x*y", "8b c6 8b d8 8b 47 44 f7 eb");
  EXPECT_CODE("x/y", "8b c6 50 8b 47 44 8b c8 58 85 c9 74 07 8b d0 c1 fa 1f f7 f9");
  EXPECT_CODE("x%y", "8b c6 50 8b 47 44 8b c8 58 85 c9 74 09 8b d0 c1 fa 1f f7 f9 8b c2");
  EXPECT_CODE("x<y", "8b c6 8b d8 8b 47 44 3b d8 0f 9c c0 25 ff 00 00 00");
  EXPECT_CODE("x>y", "8b c6 8b d8 8b 47 44 3b d8 0f 9f c0 25 ff 00 00 00");
  EXPECT_CODE("x==y", "8b c6 8b d8 8b 47 44 3b d8 0f 94 c0 25 ff 00 00 00");
  EXPECT_CODE("x<=y", "8b c6 8b d8 8b 47 44 3b d8 0f 9e c0 25 ff 00 00 00");
  EXPECT_CODE("x>=y", "8b c6 8b d8 8b 47 44 3b d8 0f 9d c0 25 ff 00 00 00");
  EXPECT_CODE("x<>y", "8b c6 8b d8 8b 47 44 3b d8 0f 95 c0 25 ff 00 00 00");
  EXPECT_CODE("x^y", "8b c6 8b d8 8b 47 44 8b c8 33 c0 85 c9 78 0f 40 d1 e9 73 03 0f af c3 0f af db "
                     "85 c9 75 f2");
  EXPECT_CODE("r=x", "8b c6");
  EXPECT_CODE("[x,y]", "8b c6 8b d8 8b 47 44 8b 57 38 8b cb 2b d0 b8 00 00 00 00 76 14 4a 03 4f "
                       "28 3b 5f 34 73 0b 8b 47 3c f7 e2 03 c8 33 c0 8a 01");
  EXPECT_CODE("x?y:7", "8b c6 85 c0 74 08 8b 47 44 e9 05 00 00 00 b8 07 00 00 00");
  EXPECT_CODE("-x", "8b c6 f7 d8");
  EXPECT_CODE("{x,y}", "8b c6 8b 47 44 33 c0");
}

TEST(CodeGenGolden, StrengthReducedForms) {
  EXPECT_CODE("x^2", "8b c6 f7 e0");
  EXPECT_CODE("x*1", "8b c6");
  EXPECT_CODE("x*2", "8b c6 03 c0");
  EXPECT_CODE("x*3", "8b c6 8d 04 40");
  EXPECT_CODE("x*4", "8b c6 8d 04 85 00 00 00 00");
  EXPECT_CODE("x/1", "8b c6");
  EXPECT_CODE("x/2", "8b c6 c1 f8 01");
  EXPECT_CODE("x/16", "8b c6 c1 f8 04");
  // x^3 keeps the power loop; 0*x stays a general multiplication.
  EXPECT_CODE("x^3", "8b c6 8b d8 b8 03 00 00 00 8b c8 33 c0 85 c9 78 0f 40 d1 e9 73 03 0f af c3 "
                     "0f af db 85 c9 75 f2");
  EXPECT_CODE("0*x", "b8 00 00 00 00 8b d8 8b c6 f7 eb");
}

TEST(CodeGenGolden, BuiltinCalls) {
  EXPECT_CODE("tan(x)", "8b c6 8b c8 e8 ?? ?? ?? ??");
  EXPECT_CODE("theta(x,x+1)", "8b c6 8b c8 8b c6 8b d8 b8 01 00 00 00 03 c3 8b d0 57 e8 ?? ?? ?? ??");
  EXPECT_CODE("theta(x,y)", "8b c6 8b c8 8b 57 44 57 e8 ?? ?? ?? ??");
  EXPECT_CODE("theta(x,7)", "8b c6 8b c8 ba 07 00 00 00 57 e8 ?? ?? ?? ??");
  EXPECT_CODE("abs(x)", "8b c6 8b d0 c1 fa 1f 33 c2 2b c2");
  EXPECT_CODE("sin(x)", "8b c6 25 ff 00 00 00 8a 80 " + AddressHex(sineTable));
  EXPECT_CODE("peg(x)", "8b c6 85 c0 7d 04 33 c0 eb 0c 3d ff 00 00 00 7e 05 b8 ff 00 00 00");
  EXPECT_CODE("saw(x)", "8b c6 d1 e0 25 ff 00 00 00");
  EXPECT_CODE("tri(x)", "8b c6 25 ff 00 00 00 d0 e0 73 02 f6 d0");
  EXPECT_CODE("snd(x)", "8b c6 25 ff 00 00 00 8a 04 45 " + AddressHex(soundWaveform));
  EXPECT_CODE("sndr(x)", "8b c6 25 ff 00 00 00 8a 04 45 " + AddressHex(soundWaveform + 1));
  EXPECT_CODE("pal(x,y)", "8b c6 8b c8 8b 57 44 57 56 e8 ?? ?? ?? ??");
  EXPECT_CODE("pal(x)", "8b c6 8b c8 33 d2 57 56 e8 ?? ?? ?? ??");
}

TEST(CodeGenGolden, HeldValuesMoveToFreeRegistersOrTheStack) {
  // c is held while a+b runs, which writes EAX and EBX: ECX holds it.
  EXPECT_CODE("(t+T)-xm", "8b 47 48 8b c8 8b 47 40 8b d8 8b 47 44 03 c3 8b d9 2b c3");
  // The base of x^(y+1) must not wait in ECX, where the exponent goes.
  EXPECT_CODE("x^(y+1)", "8b c6 8b d0 8b 47 44 8b d8 b8 01 00 00 00 03 c3 8b c8 8b da 33 c0 85 "
                         "c9 78 0f 40 d1 e9 73 03 0f af c3 0f af db 85 c9 75 f2");
  // Every register is busy below the outermost comparison: PUSH EAX ... POP EBX.
  const std::string deep = ExpressionCode("y<(y<(y<(y<(y<1))))");
  EXPECT_EQ(deep.substr(0, 12), "8b 47 40 50 ") << deep;
  EXPECT_NE(deep.find("5b 3b d8"), std::string::npos) << deep;
}

TEST(CodeGenGolden, LongTrueBranchTakesTheLongJump) {
  std::string text = "x<2?y";
  for (int i = 0; i < 40; ++i) text += "+y";
  text += ":7";
  const std::string code = ExpressionCode(text.c_str());
  EXPECT_EQ(code.substr(0, 36), "8b c6 8b d8 b8 02 00 00 00 3b d8 0f ") << code;  // the condition
  // TEST EAX, EAX; JZ rel32 over the branch and its 5-byte jump.
  const size_t jump = code.find("85 c0 0f 84 ");
  ASSERT_NE(jump, std::string::npos) << code;
  const size_t falseBranch = code.rfind("b8 07 00 00 00");
  const size_t branchBytes = (falseBranch - (jump + 24)) / 3;  // from after the rel32
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= std::stoul(code.substr(jump + 12 + 3 * i, 2), nullptr, 16) << (8 * i);
  EXPECT_GT(branchBytes, 200u);
  EXPECT_EQ(value, branchBytes);
}

TEST(CodeGenGolden, SameTreeInTwoBuffersDiffersOnlyInCallDisplacements) {
  std::unique_ptr<Statement> statement = Build("tan(x)+sin(y)*theta(x,y)+[x,t]%rand(9)");
  ASSERT_TRUE(statement);
  const std::vector<uint8_t> first = RoutineBytes(*statement);
  const std::unique_ptr<CompiledExpr> kept = std::move(statement->compiled);  // holds the first block
  ASSERT_TRUE(statement->Recompile());
  const std::vector<uint8_t> second = RoutineBytes(*statement);
  ASSERT_EQ(first.size(), second.size());
  ASSERT_NE(kept->code->base, statement->compiled->code->base);
  size_t differing = 0;
  for (size_t i = 0; i < first.size(); ++i) {
    if (first[i] == second[i]) continue;
    // Inside the 4 bytes after some E8 of the first copy.
    bool inCall = false;
    for (size_t back = 1; back <= 4 && back <= i; ++back) inCall = inCall || first[i - back] == 0xE8;
    EXPECT_TRUE(inCall) << "byte " << i;
    ++differing;
  }
  EXPECT_GT(differing, 0u);
}

}  // namespace
}  // namespace zorva::testing
