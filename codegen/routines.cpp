#include "codegen/routines.h"

#include "codegen/lookup_tables.h"
#include "codegen/random.h"
#include "codegen/render_context.h"
#include "codegen/sound_frame.h"
#include "image/palettes.h"

// All arithmetic wraps at 32 bits as the generated code's does; it is done on
// unsigned values so that C++ has no overflow to object to.

namespace {

uint32_t Unsigned(int32_t a) { return static_cast<uint32_t>(a); }

int32_t Signed(uint32_t a) { return static_cast<int32_t>(a); }

uint32_t AbsoluteValue(int32_t a) {
  return a < 0 ? 0u - Unsigned(a) : Unsigned(a);
}

// floor(sqrt(n)) for every n below 2^16, one byte each: rad's distances in
// the plug-in's 256 x 256 area stay below 2^15.
struct SmallRoots {
  uint8_t root[1 << 16];
  constexpr SmallRoots() : root() {
    uint32_t r = 0;
    for (uint32_t n = 0; n < (1u << 16); ++n) {
      if ((r + 1) * (r + 1) <= n) ++r;
      root[n] = static_cast<uint8_t>(r);
    }
  }
};

constexpr SmallRoots kSmallRoots;

// floor(sqrt(n)). Below 2^16 the table answers. Above, the digit-by-digit
// method over bit pairs takes the table's answer as the root of n's top 16
// bits (shifted by an even count) and adds the remaining digits, one per
// remaining pair; each digit is chosen with a mask rather than a branch,
// which the processor would mispredict half the time.
uint32_t IntegerSquareRoot(uint32_t n) {
  if (n < (1u << 16)) return kSmallRoots.root[n];
  const int shift = (17 - __builtin_clz(n)) & ~1;  // n >> shift lies in [2^14, 2^16)
  uint32_t root = kSmallRoots.root[n >> shift];
  uint32_t remainder = (n >> shift) - root * root;  // at most 2 * root: no overflow below
  for (int pair = shift - 2; pair >= 0; pair -= 2) {
    remainder = (remainder << 2) | ((n >> pair) & 3);
    const uint32_t trial = (root << 2) | 1;  // (2r + 1)^2 - 4r^2
    const uint32_t digitIsOne = 0u - static_cast<uint32_t>(remainder >= trial);
    remainder -= trial & digitIsOne;
    root = (root << 1) | (digitIsOne & 1);
  }
  return root;
}

int32_t LeftSample(int32_t k) {
  return soundWaveform[2 * (k & 255)];
}

// u / d by a multiplication for the small divisors of theta and rand: with
// M = ceil(2^31 / d) = (2^31 + e) / d, 0 <= e < d, u * M / 2^31 is u / d plus
// u * e / (d * 2^31), which stays below 1 / d when u * e < 2^31; so the
// floor is the quotient for every u < 2^16 and d < 2^10 (u * e < 2^26).
struct Reciprocals {
  uint32_t of[kSmallDivisorLimit];
  constexpr Reciprocals() : of() {
    for (uint32_t d = 1; d < kSmallDivisorLimit; ++d) of[d] = static_cast<uint32_t>(((1ull << 31) + d - 1) / d);
  }
};

constexpr Reciprocals kReciprocals;

// For u < 2^16 and 1 <= d < 1024.
uint32_t DivideSmall(uint32_t u, uint32_t d) {
  return static_cast<uint32_t>((static_cast<uint64_t>(u) * kReciprocals.of[d]) >> 31);
}

}  // namespace

const uint8_t* SmallSquareRoots() { return kSmallRoots.root; }

const uint32_t* SmallReciprocals() { return kReciprocals.of; }

int32_t ZORVA_ROUTINE SineOfSigned(int32_t a) {
  if (a >= 0) return sineTable[a & 255];
  return 255 - sineTable[(0u - Unsigned(a)) & 255];
}

int32_t ZORVA_ROUTINE CosineOfSigned(int32_t a) {
  return cosineTable[AbsoluteValue(a) & 255];
}

int32_t ZORVA_ROUTINE TanRoutine(int32_t a) {
  int32_t c = CosineOfSigned(a);
  if (c == 0) return 2147483647;
  return SineOfSigned(a) * 255 / c;
}

int32_t ZORVA_ROUTINE AsinRoutine(int32_t a) { return arcsineTable[a & 255]; }

int32_t ZORVA_ROUTINE AcosRoutine(int32_t a) { return arccosineTable[a & 255]; }

int32_t ZORVA_ROUTINE AtanRoutine(int32_t a) {
  if (a < 0) return arctangentTable[0];
  if (a > 255) return arctangentTable[255];
  return arctangentTable[a];
}

int32_t ZORVA_ROUTINE DsinRoutine(int32_t a) { return dampedSineTable[a & 255]; }

int32_t ZORVA_ROUTINE DecayRoutine(int32_t a) { return decayTable[a & 255]; }

int32_t ZORVA_ROUTINE ExpRoutine(int32_t a) {
  if (a < 0) return 0;
  return Signed(exponentialTable[a > 255 ? 255 : a]);
}

int32_t ZORVA_ROUTINE RandRoutine(int32_t n) {
  if (n == 0) return 0;
  const uint32_t draw = static_cast<uint32_t>(DrawRandom());  // below 2^15
  const uint32_t bound = Unsigned(n);
  if (bound > static_cast<uint32_t>(kRandomMax)) return Signed(draw);
  if (bound < kSmallDivisorLimit) return Signed(draw - DivideSmall(draw, bound) * bound);
  return Signed(draw % bound);
}

int32_t ZORVA_ROUTINE SqrtRoutine(int32_t a) {
  return Signed(IntegerSquareRoot(Unsigned(a)));
}

int32_t ZORVA_ROUTINE FftRoutine(int32_t a) { return soundSpectrum[a & 255]; }

int32_t ZORVA_ROUTINE VolRoutine(int32_t a) {
  // The window a..a+7 is empty when its end does not fit in 32 bits.
  if (a > 2147483647 - 8) return 0;
  // The sum of 2 * |sample - 128| over the window, divided by 8, is the sum
  // of |sample - 128| divided by 4.
  int32_t sum = 0;
#pragma GCC unroll 8
  for (int32_t k = 0; k < 8; k++) {
    const int32_t deviation = LeftSample(a + k) - 128;
    sum += deviation < 0 ? -deviation : deviation;
  }
  return sum >> 2;
}

namespace {

// theta's angle from its quotient q = (dy * 64) / (|dx| + |dy|).
int32_t AngleOf(int32_t dx, int32_t dy, int32_t q) {
  if (dx < 0) return Signed(128u - Unsigned(q));
  if (dy >= 0) return q;
  return Signed(Unsigned(q) + 255u);
}

// theta by the rule, dividing; out of line so that the usual case needs no
// stack frame.
__attribute__((noinline)) int32_t ThetaByDivision(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return 0;
  const int32_t distance = Signed(AbsoluteValue(dx) + AbsoluteValue(dy));
  const int32_t scaled = Signed(Unsigned(dy) * 64u);
  // The distance wraps to 0 only when dx and dy are both -2147483648; like
  // every division of the language, a zero divisor yields the dividend (0).
  return AngleOf(dx, dy, distance == 0 ? scaled : scaled / distance);
}

}  // namespace

int32_t ZORVA_ROUTINE ThetaRoutine(int32_t a, int32_t b, const zorva::RenderContext* context) {
  const int32_t dx = Signed(Unsigned(a) - Unsigned(context->centerX));
  const int32_t dy = Signed(Unsigned(b) - Unsigned(context->centerY));
  const uint32_t dySign = Unsigned(dy >> 31);  // all ones when dy < 0
  const uint32_t dxSign = Unsigned(dx >> 31);
  const uint32_t rise = (Unsigned(dy) ^ dySign) - dySign;
  const uint32_t span = (Unsigned(dx) ^ dxSign) - dxSign + rise;
  // 1 <= span < 1024, so rise * 64 <= 64 * span < 2^16; the quotient
  // truncates toward zero. The centre itself (span 0) takes the rule.
  if (span - 1 >= kSmallDivisorLimit - 1) return ThetaByDivision(dx, dy);
  const uint32_t size = DivideSmall(rise * 64u, span);
  return AngleOf(dx, dy, Signed((size ^ dySign) - dySign));
}

int32_t ZORVA_ROUTINE RadRoutine(int32_t a, int32_t b, const zorva::RenderContext* context) {
  uint32_t dx = Unsigned(a) - Unsigned(context->centerX);
  uint32_t dy = Unsigned(b) - Unsigned(context->centerY);
  return Signed(IntegerSquareRoot(dx * dx + dy * dy));
}

int32_t ZORVA_ROUTINE PalRoutine(int32_t a, int32_t b, int32_t x,
                                 const zorva::RenderContext* context) {
  return Pal(a, b, x, context->channel);
}
