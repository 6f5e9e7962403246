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

// floor(sqrt(n)), digit by digit over bit pairs. Pairs above n's highest set
// bit contribute nothing, so the digits start there: rad's distances take
// about half the steps of a start at bit 30. Each digit is chosen with a mask
// rather than a branch, which the processor would mispredict half the time.
uint32_t IntegerSquareRoot(uint32_t n) {
  if (n == 0) return 0;
  uint32_t root = 0;
  for (uint32_t bit = 1u << ((31 - __builtin_clz(n)) & ~1); bit != 0; bit >>= 2) {
    const uint32_t trial = root + bit;
    const uint32_t digitIsOne = 0u - static_cast<uint32_t>(n >= trial);
    n -= trial & digitIsOne;
    root = (root >> 1) + (bit & digitIsOne);
  }
  return root;
}

int32_t LeftSample(int32_t k) {
  return soundWaveform[2 * (k & 255)];
}

}  // namespace

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
  return Signed(Unsigned(DrawRandom()) % Unsigned(n));
}

int32_t ZORVA_ROUTINE SqrtRoutine(int32_t a) {
  return Signed(IntegerSquareRoot(Unsigned(a)));
}

int32_t ZORVA_ROUTINE FftRoutine(int32_t a) { return soundSpectrum[a & 255]; }

int32_t ZORVA_ROUTINE VolRoutine(int32_t a) {
  // The window a..a+7 is empty when its end does not fit in 32 bits.
  if (a > 2147483647 - 8) return 0;
  int32_t sum = 0;
  for (int32_t k = a; k < a + 8; k++) {
    int32_t deviation = LeftSample(k) - 128;
    sum += 2 * (deviation < 0 ? -deviation : deviation);
  }
  return sum / 8;
}

int32_t ZORVA_ROUTINE ThetaRoutine(int32_t a, int32_t b, const zorva::RenderContext* context) {
  int32_t dx = Signed(Unsigned(a) - Unsigned(context->centerX));
  int32_t dy = Signed(Unsigned(b) - Unsigned(context->centerY));
  if (dx == 0 && dy == 0) return 0;
  int32_t distance = Signed(AbsoluteValue(dx) + AbsoluteValue(dy));
  int32_t scaled = Signed(Unsigned(dy) * 64u);
  // The distance wraps to 0 only when dx and dy are both -2147483648; like
  // every division of the language, a zero divisor yields the dividend (0).
  int32_t q = distance == 0 ? scaled : scaled / distance;
  if (dx < 0) return Signed(128u - Unsigned(q));
  if (dy >= 0) return q;
  return Signed(Unsigned(q) + 255u);
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
