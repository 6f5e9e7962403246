// What compiled statements compute, run as machine code over the row loop.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>

#include "tests/codegen/jit_support.h"

namespace zorva::testing {
namespace {

TEST(RowLoop, ContextHoldsSizesAndBindings) {
  std::unique_ptr<Statement> statement = Build("X/4+Y+t*2+T+xm-ym");
  ASSERT_TRUE(statement);
  const PassSetup setup{nullptr, 40, 8, 1, /*t*/ 5, /*T*/ 3, /*xm*/ 20, /*ym*/ 1, 0, SourceImage{}};
  EXPECT_EQ(Render(*statement, setup).bytes[0], 40 / 4 + 8 + 10 + 3 + 20 - 1);
  // Unbound variables read zero, whatever the context held before.
  std::unique_ptr<Statement> unbound = Build("r+g+b+p+h+s+l+1");
  ASSERT_TRUE(unbound);
  RenderContext context;
  std::memset(&context, 0xAB, sizeof context);
  uint8_t out[4];
  unbound->SetupContext(context, Pass(out, 4, 1));
  ASSERT_TRUE(unbound->RunRows(context));
  EXPECT_EQ(out[0], 1);
}

TEST(RowLoop, ArithmeticAndComparisonsWorkLikeTheMachine) {
  EXPECT_EQ(Pixel("-1"), 255);
  EXPECT_EQ(Pixel("(0-2147483647-1)==-(0-2147483647-1)"), 1);
  EXPECT_EQ(Pixel("2147483647+1==0-2147483647-1"), 1);
  EXPECT_EQ(Pixel("7/0"), 7);
  EXPECT_EQ(Pixel("7%0"), 7);
  EXPECT_EQ(Pixel("t/2", -7), 256 - 4);  // a shift rounds toward minus infinity
  EXPECT_EQ(Pixel("t/3", -7), 256 - 2);  // IDIV truncates toward zero
  EXPECT_EQ(Pixel("t%3", -7), 256 - 1);
  EXPECT_EQ(Pixel("t*9", 7), 63);
  EXPECT_EQ(Pixel("t*8==t*4*2", -123456), 1);
  EXPECT_EQ(Pixel("(t<0)+(t>0)*2+(t==0)*4+(t<=0)*8+(t>=0)*16+(t<>0)*32", -1), 1 + 8 + 32);
  const Rendering square = RenderText("(x<y)+(y<x)", Pass(nullptr, 16, 16));
  for (int row = 0; row < 16; ++row)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(square.bytes[row * 16 + x], x != 15 - row ? 1 : 0);
}

// Left to right over the exponent's bits in 64-bit arithmetic: another road
// to the same value modulo 2^32.
uint32_t ModularPower(uint32_t base, int32_t exponent) {
  if (exponent < 0) return 0;
  constexpr uint64_t kBelowModulus = 0xFFFFFFFF;  // modulo 2^32
  uint64_t result = 1;
  for (int bit = 30; bit >= 0; --bit) {
    result = (result * result) & kBelowModulus;
    if ((exponent >> bit) & 1) result = (result * base) & kBelowModulus;
  }
  return static_cast<uint32_t>(result);
}

// Each pass covers 5120 exponents, T + x + 256 * y, and one byte of the
// power, through a division that the oracle makes alike.
TEST(RowLoop, PowerIsTheModularPowerForSmallAndHugeExponents) {
  constexpr int32_t kWidth = 256, kHeight = 20;
  std::mt19937 random(14);
  std::vector<int32_t> bases = {0, 1, -1, 2, -2, 3, 7, 65537, INT_MIN, INT_MAX};
  while (bases.size() < 40) bases.push_back(static_cast<int32_t>(random()));
  std::vector<int32_t> firstExponents = {-5, INT_MAX - kWidth * kHeight + 1};
  for (int i = 0; i < 3; ++i) firstExponents.push_back(static_cast<int32_t>(random() >> 2));
  for (const char* divisor : {"1", "256", "65536", "16777216"}) {
    std::unique_ptr<Statement> statement = Build(("(t^(T+x+256*y))/" + std::string(divisor)).c_str());
    ASSERT_TRUE(statement);
    const int32_t d = std::stoi(divisor);
    for (int32_t base : bases) {
      for (int32_t first : firstExponents) {
        PassSetup setup = Pass(nullptr, kWidth, kHeight);
        setup.t = base;
        setup.T = first;
        const std::vector<uint8_t> bytes = Render(*statement, setup).bytes;
        for (int32_t y = 0; y < kHeight; ++y) {
          for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t exponent = first + x + kWidth * y;
            const auto power = static_cast<int32_t>(ModularPower(static_cast<uint32_t>(base), exponent));
            ASSERT_EQ(bytes[(kHeight - 1 - y) * kWidth + x], (power / d) & 255)
                << base << "^" << exponent << "/" << d;
          }
        }
      }
    }
  }
}

TEST(RowLoop, BracketReadsTheSourceImageFromItsTopRow) {
  uint8_t pixels[3 * 4] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};  // bottom row first
  PassSetup setup = Pass(nullptr, 4, 1);
  setup.source = SourceImage{0, pixels, nullptr, nullptr, 3, 3, 4};
  const auto at = [&](int32_t a, int32_t b) {
    setup.t = a;
    setup.T = b;
    return RenderText("[t,T]", setup).bytes[0];
  };
  EXPECT_EQ(at(0, 0), 7);
  EXPECT_EQ(at(2, 2), 3);
  EXPECT_EQ(at(3, 0), 0);
  EXPECT_EQ(at(0, 3), 0);
  EXPECT_EQ(at(-1, 0), 0);
  EXPECT_EQ(at(0, -1), 0);
  EXPECT_EQ(Pixel("[5,5]"), 0);  // no source image at all
  EXPECT_EQ(Pixel("{rand(3),5}+7"), 7);
}

TEST(RowLoop, FaultEndsThePassAndLeavesTheImage) {
  const Rendering faulted = RenderText("(0-2147483647-1)/(0-1)", Pass(nullptr, 16, 16));
  EXPECT_FALSE(faulted.completed);
  EXPECT_EQ(faulted.bytes, std::vector<uint8_t>(16 * 16, 0xEE));
  // A read through a bad address is caught the same way, after the rows
  // that did not touch it.
  PassSetup setup = Pass(nullptr, 8, 4);
  setup.source = SourceImage{0, reinterpret_cast<const uint8_t*>(16), nullptr, nullptr, 1 << 30, 1, 0};
  const Rendering partial = RenderText("y<2?[x,0]:1", setup);
  EXPECT_FALSE(partial.completed);
  EXPECT_EQ(partial.bytes[15], 1);
  EXPECT_EQ(partial.bytes[16], 0xEE);
  // The process goes on, and so do later passes.
  EXPECT_EQ(Pixel("40+2"), 42);
}

TEST(RowLoop, RemovedVariableGivesUpItsSlot) {
  std::unique_ptr<Statement> statement = Build("y+t");
  ASSERT_TRUE(statement);
  // Replace y by the constant 5, as a mutation would, and compile again.
  ExprNode* sum = statement->tree->Root();
  DeleteTree(sum->child[0]);
  sum->child[0] = ExprNode::MakeConst(5);
  ASSERT_TRUE(statement->Recompile());
  EXPECT_EQ(statement->symbols->At(statement->symbols->Lookup("y")).slot, -1);
  PassSetup setup = Pass(nullptr, 4, 3);
  setup.t = 10;
  EXPECT_EQ(Render(*statement, setup).bytes, std::vector<uint8_t>(12, 15));
}

}  // namespace
}  // namespace zorva::testing
