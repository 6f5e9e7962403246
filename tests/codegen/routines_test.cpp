// The runtime routines at the edges of their arguments. How generated code
// calls them, the golden bytes and the differential test hold.
#include "codegen/routines.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "codegen/random.h"
#include "codegen/render_context.h"
#include "codegen/sound_frame.h"

namespace {

TEST(Routines, EdgeCasesOfTheTableRoutinesTheSquareRootAndTheVolume) {
  EXPECT_EQ(SineOfSigned(-1), 255 - 131);
  EXPECT_EQ(TanRoutine(64), 512);
  EXPECT_EQ(TanRoutine(128), 2147483647);
  EXPECT_EQ(SineOfSigned(-128), 128);
  EXPECT_EQ(CosineOfSigned(INT32_MIN), 255);  // |-2^31| counts as 0
  EXPECT_EQ(AtanRoutine(-5), 5);
  EXPECT_EQ(AtanRoutine(1000), 250);
  EXPECT_EQ(AsinRoutine(256), 0);
  EXPECT_EQ(ExpRoutine(-1), 0);
  EXPECT_EQ(ExpRoutine(INT32_MAX), 26903);
  // The square root reads its argument unsigned.
  EXPECT_EQ(SqrtRoutine(-1), 65535);
  EXPECT_EQ(SqrtRoutine(INT32_MIN), 46340);
  // The volume of silence, and of a full-scale square wave.
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = 128;
  EXPECT_EQ(VolRoutine(0), 0);
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = (i / 2) % 2 ? 255 : 0;
  EXPECT_GE(VolRoutine(3), 254);
  EXPECT_LE(VolRoutine(3), 256);
  // Left sample k is k, so the window a..a+7 of deviations |k - 128| tells
  // where vol reads: it starts at the argument, wraps at 256, and the right
  // (odd) bytes do not count.
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = i % 2 ? 0 : static_cast<uint8_t>(i / 2);
  EXPECT_EQ(VolRoutine(120), (8 + 7 + 6 + 5 + 4 + 3 + 2 + 1) / 4);
  EXPECT_EQ(VolRoutine(128), (0 + 1 + 2 + 3 + 4 + 5 + 6 + 7) / 4);
  EXPECT_EQ(VolRoutine(252), (124 + 125 + 126 + 127 + 128 + 127 + 126 + 125) / 4);
  EXPECT_EQ(VolRoutine(-8), VolRoutine(248));
  EXPECT_GT(VolRoutine(2147483639), 0);
  EXPECT_EQ(VolRoutine(2147483640), 0);
}

TEST(Routines, ThetaIsATaxicabAngle) {
  zorva::RenderContext context{};
  context.centerX = context.centerY = 128;
  EXPECT_EQ(ThetaRoutine(128, 128, &context), 0);
  EXPECT_EQ(ThetaRoutine(128, 200, &context), 64);
  EXPECT_EQ(ThetaRoutine(128, 0, &context), 191);
  EXPECT_EQ(ThetaRoutine(200, 127, &context), 255);
  EXPECT_EQ(RadRoutine(131, 132, &context), 5);
  // Both offsets -2^31: the distance wraps to 0 and must not fault.
  zorva::RenderContext origin{};
  EXPECT_EQ(ThetaRoutine(INT32_MIN, INT32_MIN, &origin), 128);
  // Theta and rand divide by a reciprocal below 1024; the quotient must be
  // the one a division gives, on both sides of that bound.
  constexpr int32_t kSpan = 1030;
  for (int32_t dx = 1; dx <= kSpan; dx++) {
    for (int32_t dy = 0; dy <= kSpan - dx; dy++) {
      const int32_t quotient = dy * 64 / (dx + dy);
      ASSERT_EQ(ThetaRoutine(dx, dy, &origin), quotient) << dx << "," << dy;
      ASSERT_EQ(ThetaRoutine(-dx, dy, &origin), 128 - quotient) << -dx << "," << dy;
    }
  }
}

// The seed whose next draw is `draw`: the generator's step inverted.
uint32_t SeedDrawing(uint32_t draw) {
  uint32_t inverse = 1;  // of the multiplier 214013, by Newton's iteration modulo 2^32
  for (int i = 0; i < 5; i++) inverse *= 2u - 214013u * inverse;
  return ((draw << 16) - 2531011u) * inverse;
}

// A bound of 0 draws nothing; a negative one is huge unsigned.
TEST(Routines, RandIsTheDrawModuloTheBoundForEveryDraw) {
  SeedRandom(1);
  EXPECT_EQ(RandRoutine(0), 0);
  EXPECT_EQ(DrawRandom(), 41);
  const int32_t larger[] = {1024, 1025, 32767, 32768, INT32_MAX, -1, -1024, INT32_MIN};
  for (uint32_t draw = 0; draw <= 32767; draw++) {
    const uint32_t seed = SeedDrawing(draw);
    for (int32_t bound = 1; bound < 1024; bound++) {
      SeedRandom(seed);
      ASSERT_EQ(RandRoutine(bound), static_cast<int32_t>(draw % bound)) << draw << " % " << bound;
    }
    for (int32_t bound : larger) {
      SeedRandom(seed);
      ASSERT_EQ(RandRoutine(bound), static_cast<int32_t>(draw % static_cast<uint32_t>(bound))) << draw;
    }
  }
}

// Both sides of every perfect square; scripts/prove-routines checks all 2^32
// arguments, which takes minutes.
TEST(Routines, SquareRootAtEveryPerfectSquare) {
  for (uint32_t root = 1; root < 65536; root++) {
    ASSERT_EQ(SqrtRoutine(static_cast<int32_t>(root * root)), static_cast<int32_t>(root));
    ASSERT_EQ(SqrtRoutine(static_cast<int32_t>(root * root - 1)), static_cast<int32_t>(root - 1));
  }
}

}  // namespace
