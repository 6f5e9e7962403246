#include "codegen/tools/lookup_rules.h"

#include <algorithm>
#include <cmath>

namespace {

// The trigonometric tables were defined with pi written as 3.1416; the
// inverse functions use the full value.
constexpr double kShortPi = 3.1416;
constexpr double kPi = 3.14159265358979323846;

// Entries of the arctangent table that sit one below or above the formula.
struct Adjustment {
  int index;
  int delta;
};

constexpr Adjustment kArctangentAdjustments[] = {
    {92, -1},  {100, -1}, {106, -1}, {113, -1}, {117, -1}, {118, -1},
    {137, +1}, {138, +1}, {142, +1}, {149, +1}, {155, +1}, {163, +1},
};

uint8_t ByteAtMost255(double v) {
  return static_cast<uint8_t>(std::min(255.0, ExactFloor(v)));
}

void FillSineAndCosine(LookupTables& t) {
  for (int i = 0; i < kLookupEntries; i++)
    t.sine[i] = ByteAtMost255(128 + 128 * std::sin(2 * kShortPi * i / 256));
  for (int i = 0; i < kLookupEntries; i++)
    t.cosine[i] = t.sine[(i + 64) % 256];
}

void FillInverseTrig(LookupTables& t) {
  for (int i = 0; i < kLookupEntries; i++) {
    t.arcsine[i] = ByteAtMost255(128 + (256 / kPi) * std::asin((i - 127.5) / 127.5));
    t.arccosine[i] = static_cast<uint8_t>(255 - t.arcsine[i]);
    t.arctangent[i] = ByteAtMost255(128 + (256 / kPi) * std::atan((i - 127.5) / 8));
  }
  for (const Adjustment& a : kArctangentAdjustments)
    t.arctangent[a.index] = static_cast<uint8_t>(t.arctangent[a.index] + a.delta);
}

void FillExponentials(LookupTables& t) {
  for (int i = 0; i < kLookupEntries; i++) {
    double damping = std::exp(-i / 128.0);
    t.dampedSine[i] = ByteAtMost255(128 + 128 * damping * std::sin(2 * kShortPi * i / 64));
    t.decay[i] = ByteAtMost255(255 * std::exp(-i / 64.0));
    t.exponential[i] = static_cast<uint32_t>(ExactFloor(std::exp(i / 25.0)));
  }
}

}  // namespace

double ExactFloor(double v) {
  // asin(-1) * 256 / pi comes out a few ulps below -128; the table must hold 0.
  // The closest genuine fraction in any table is about 1e-9 from an integer.
  double nearest = std::round(v);
  if (std::fabs(v - nearest) < 1e-12) return nearest;
  return std::floor(v);
}

LookupTables ComputeLookupTables() {
  LookupTables t{};
  FillSineAndCosine(t);
  FillInverseTrig(t);
  FillExponentials(t);
  return t;
}
