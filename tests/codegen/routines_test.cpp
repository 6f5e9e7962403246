#include "codegen/routines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "codegen/builtin_table.h"
#include "codegen/lookup_tables.h"
#include "codegen/random.h"
#include "codegen/render_context.h"
#include "codegen/sound_frame.h"
#include "image/palettes.h"

namespace {

// -70000..70000 and the extremes of 32 bits.
std::vector<int32_t> SweepArguments() {
  std::vector<int32_t> args;
  for (int32_t a = -70000; a <= 70000; a++) args.push_back(a);
  const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, INT32_MIN + 128, -2147483520,
                              2147483639, 2147483640, INT32_MAX - 1, INT32_MAX};
  args.insert(args.end(), extremes, extremes + 8);
  return args;
}

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

zorva::RenderContext ContextCentredAt(int32_t cx, int32_t cy, int32_t channel = 0) {
  zorva::RenderContext context{};
  context.centerX = cx;
  context.centerY = cy;
  context.channel = channel;
  return context;
}

int64_t RefSineOfSigned(int64_t a) {
  return a >= 0 ? sineTable[a % 256] : 255 - sineTable[(-a) % 256];
}

int64_t RefTan(int32_t a) {
  int64_t c = cosineTable[std::llabs(a) % 256];
  return c == 0 ? INT32_MAX : RefSineOfSigned(a) * 255 / c;
}

int64_t RefSqrt(uint32_t n) {
  int64_t r = static_cast<int64_t>(std::sqrt(static_cast<double>(n)));
  while (r * r > n) r--;
  while ((r + 1) * (r + 1) <= n) r++;
  return r;
}

int64_t RefVol(int32_t a) {
  if (int64_t{a} + 8 > INT32_MAX) return 0;
  int64_t sum = 0;
  for (int64_t k = a; k < int64_t{a} + 8; k++)
    sum += 2 * std::llabs(soundWaveform[2 * (k & 255)] - 128);
  return sum / 8;
}

int64_t RefTheta(int32_t a, int32_t b, int32_t cx, int32_t cy) {
  int32_t dx = Wrap(int64_t{a} - cx), dy = Wrap(int64_t{b} - cy);
  if (dx == 0 && dy == 0) return 0;
  int32_t s = Wrap(std::llabs(dx) + std::llabs(dy));
  int32_t scaled = Wrap(int64_t{dy} * 64);
  int32_t q = s == 0 ? scaled : scaled / s;
  if (dx < 0) return Wrap(128 - int64_t{q});
  return dy >= 0 ? q : Wrap(int64_t{q} + 255);
}

int64_t RefRad(int32_t a, int32_t b, int32_t cx, int32_t cy) {
  uint32_t dx = static_cast<uint32_t>(Wrap(int64_t{a} - cx));
  uint32_t dy = static_cast<uint32_t>(Wrap(int64_t{b} - cy));
  return RefSqrt(dx * dx + dy * dy);
}

void FillSoundWithPattern() {
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = static_cast<uint8_t>(i * 37 + 11);
  for (int i = 0; i < kSpectrumBytes; i++) soundSpectrum[i] = static_cast<uint8_t>(i * 53 + 7);
}

TEST(Routines, SweepMatchesTheRulesForOneArgument) {
  FillSoundWithPattern();
  for (int32_t a : SweepArguments()) {
    uint8_t low = static_cast<uint8_t>(a);
    ASSERT_EQ(SineOfSigned(a), RefSineOfSigned(a)) << a;
    ASSERT_EQ(CosineOfSigned(a), cosineTable[std::llabs(a) % 256]) << a;
    ASSERT_EQ(TanRoutine(a), RefTan(a)) << a;
    ASSERT_EQ(AsinRoutine(a), arcsineTable[low]) << a;
    ASSERT_EQ(AcosRoutine(a), arccosineTable[low]) << a;
    ASSERT_EQ(AtanRoutine(a), arctangentTable[a < 0 ? 0 : a > 255 ? 255 : a]) << a;
    ASSERT_EQ(DsinRoutine(a), dampedSineTable[low]) << a;
    ASSERT_EQ(DecayRoutine(a), decayTable[low]) << a;
    ASSERT_EQ(ExpRoutine(a), a < 0 ? 0 : int64_t{exponentialTable[a > 255 ? 255 : a]}) << a;
    ASSERT_EQ(SqrtRoutine(a), RefSqrt(static_cast<uint32_t>(a))) << a;
    ASSERT_EQ(FftRoutine(a), soundSpectrum[low]) << a;
    ASSERT_EQ(VolRoutine(a), RefVol(a)) << a;
  }
}

TEST(Routines, SweepMatchesTheRulesForThetaAndRad) {
  const int32_t centres[][2] = {{128, 128}, {0, 0}, {INT32_MIN, INT32_MAX}, {INT32_MIN, INT32_MIN}};
  const int32_t others[] = {0, 127, 128, -70000, INT32_MIN, INT32_MAX};
  for (const auto& c : centres) {
    zorva::RenderContext context = ContextCentredAt(c[0], c[1]);
    for (int32_t a : SweepArguments()) {
      for (int32_t b : others) {
        ASSERT_EQ(ThetaRoutine(a, b, &context), RefTheta(a, b, c[0], c[1])) << a << "," << b;
        ASSERT_EQ(ThetaRoutine(b, a, &context), RefTheta(b, a, c[0], c[1])) << b << "," << a;
        ASSERT_EQ(RadRoutine(a, b, &context), RefRad(a, b, c[0], c[1])) << a << "," << b;
      }
    }
  }
}

TEST(Routines, EdgeCasesOfTheTrigonometricRoutines) {
  EXPECT_EQ(SineOfSigned(-1), 255 - 131);
  EXPECT_EQ(TanRoutine(64), 512);
  EXPECT_EQ(TanRoutine(128), 2147483647);
  EXPECT_EQ(SineOfSigned(-128), 128);
  EXPECT_EQ(CosineOfSigned(INT32_MIN), 255);  // |-2^31| counts as 0
  EXPECT_EQ(AtanRoutine(-5), 5);
  EXPECT_EQ(AtanRoutine(1000), 250);
  EXPECT_EQ(AsinRoutine(256), 0);
  EXPECT_EQ(ExpRoutine(-1), 0);
  EXPECT_EQ(ExpRoutine(255), 26903);
  EXPECT_EQ(ExpRoutine(INT32_MAX), 26903);
}

TEST(Routines, SquareRootReadsItsArgumentUnsigned) {
  EXPECT_EQ(SqrtRoutine(-1), 65535);
  EXPECT_EQ(SqrtRoutine(INT32_MIN), 46340);
  EXPECT_EQ(SqrtRoutine(15), 3);
  EXPECT_EQ(SqrtRoutine(16), 4);
  EXPECT_EQ(SqrtRoutine(0), 0);
}

TEST(Routines, VolumeOfSilenceSquareWaveAndOverflow) {
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = 128;
  EXPECT_EQ(VolRoutine(0), 0);
  for (int i = 0; i < kWaveformBytes; i++) soundWaveform[i] = (i / 2) % 2 ? 255 : 0;
  for (int32_t a = 0; a < 8; a++) {
    EXPECT_GE(VolRoutine(a), 254);
    EXPECT_LE(VolRoutine(a), 256);
  }
  // Only the left (even) bytes count.
  for (int i = 1; i < kWaveformBytes; i += 2) soundWaveform[i] = 128;
  EXPECT_GE(VolRoutine(0), 254);
  EXPECT_GT(VolRoutine(2147483639), 0);
  EXPECT_EQ(VolRoutine(2147483640), 0);
}

TEST(Routines, ThetaIsATaxicabAngle) {
  zorva::RenderContext context = ContextCentredAt(128, 128);
  EXPECT_EQ(ThetaRoutine(128, 128, &context), 0);
  EXPECT_EQ(ThetaRoutine(200, 128, &context), 0);
  EXPECT_EQ(ThetaRoutine(128, 200, &context), 64);
  EXPECT_EQ(ThetaRoutine(0, 128, &context), 128);
  EXPECT_EQ(ThetaRoutine(128, 0, &context), 191);
  EXPECT_EQ(ThetaRoutine(200, 127, &context), 255);
  EXPECT_EQ(RadRoutine(131, 132, &context), 5);
  // Both offsets -2^31: the distance wraps to 0 and must not fault.
  zorva::RenderContext origin = ContextCentredAt(0, 0);
  EXPECT_EQ(ThetaRoutine(INT32_MIN, INT32_MIN, &origin), 128);
}

TEST(Routines, RandDrawsFromTheSharedGenerator) {
  SeedRandom(1);
  EXPECT_EQ(DrawRandom(), 41);
  EXPECT_EQ(DrawRandom(), 18467);
  EXPECT_EQ(RandRoutine(-1), 6334);  // a negative bound is huge unsigned: the raw draw
  EXPECT_EQ(RandRoutine(0), 0);      // and draws nothing
  EXPECT_EQ(RandRoutine(1000), 26500 % 1000);
  EXPECT_EQ(RandRoutine(1), 0);
  SeedRandom(1);
  EXPECT_EQ(DrawRandom(), 41);
}

// Calls a routine as generated code does: arguments in ECX and EDX, then
// `deeper` and `top` pushed, on a stack that is not 16-byte aligned. pal takes
// the context (deeper) and x (top); theta and rad take only the top word.
struct CallOutcome {
  int32_t result;
  int32_t bytesRemoved;  // of the two pushed words
  bool preserved;        // ESI and EDI survived the call
};

CallOutcome CallLikeGeneratedCode(const void* routine, int32_t a, int32_t b, const void* deeper,
                                  const void* top) {
  // In: EAX the routine, ECX a, EDX b. Out: EAX the result, ECX the stack
  // pointer after the call, EBX the stack pointer before it all.
  int32_t eax = reinterpret_cast<int32_t>(routine), ecx = a, edx = b, ebx;
  const void* esi = top;
  const void* edi = deeper;
  asm volatile(
      "movl %%esp, %%ebx\n\t"
      "andl $-16, %%esp\n\t"
      "subl $4, %%esp\n\t"
      "pushl %%edi\n\t"
      "pushl %%esi\n\t"
      "call *%%eax\n\t"
      "movl %%esp, %%ecx\n\t"
      "movl %%ebx, %%esp\n\t"
      : "+a"(eax), "+c"(ecx), "+d"(edx), "+S"(esi), "+D"(edi), "=&b"(ebx)
      :
      : "memory", "cc");
  int32_t espAfterPushes = (ebx & -16) - 12;
  return {eax, ecx - espAfterPushes, esi == top && edi == deeper};
}

const void* RoutineOf(int row) { return zorva::kBuiltins[row].routine; }

TEST(Routines, TableRoutinesFollowTheRegisterConvention) {
  zorva::RenderContext context = ContextCentredAt(128, 128, 1);
  const void* x = reinterpret_cast<const void*>(5);
  CallOutcome tan = CallLikeGeneratedCode(RoutineOf(zorva::kBuiltinTan), 64, 0, x, x);
  EXPECT_EQ(tan.result, 512);
  EXPECT_EQ(tan.bytesRemoved, 0);
  CallOutcome theta =
      CallLikeGeneratedCode(RoutineOf(zorva::kBuiltinTheta), 128, 200, x, &context);
  EXPECT_EQ(theta.result, 64);
  EXPECT_EQ(theta.bytesRemoved, 4);
  // pal(1, 250) at x = 5 in the green pass: entry 255 of palette 0.
  CallOutcome pal = CallLikeGeneratedCode(RoutineOf(zorva::kBuiltinPal), 1, 250, &context, x);
  EXPECT_EQ(pal.result, BuiltinPalettes[0][255][1]);
  EXPECT_EQ(pal.bytesRemoved, 8);
  EXPECT_TRUE(tan.preserved && theta.preserved && pal.preserved);
}

}  // namespace
