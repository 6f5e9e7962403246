#include "codegen/lookup_tables.h"

#include <gtest/gtest.h>

#include <cstring>

#include "codegen/tools/lookup_rules.h"

namespace {

TEST(LookupTables, CommittedDataEqualsTheGeneratorsOutput) {
  const LookupTables t = ComputeLookupTables();
  EXPECT_EQ(std::memcmp(sineTable, t.sine, sizeof t.sine), 0) << "sine";
  EXPECT_EQ(std::memcmp(cosineTable, t.cosine, sizeof t.cosine), 0) << "cosine";
  EXPECT_EQ(std::memcmp(arcsineTable, t.arcsine, sizeof t.arcsine), 0) << "arcsine";
  EXPECT_EQ(std::memcmp(arccosineTable, t.arccosine, sizeof t.arccosine), 0) << "arccosine";
  EXPECT_EQ(std::memcmp(arctangentTable, t.arctangent, sizeof t.arctangent), 0) << "arctangent";
  EXPECT_EQ(std::memcmp(dampedSineTable, t.dampedSine, sizeof t.dampedSine), 0) << "dampedSine";
  EXPECT_EQ(std::memcmp(decayTable, t.decay, sizeof t.decay), 0) << "decay";
  EXPECT_EQ(std::memcmp(exponentialTable, t.exponential, sizeof t.exponential), 0) << "exponential";
}

// A few entries that tell the formulas' choices: pi written as 3.1416 in the
// sine (sin(3.1416) is just below zero), saturation at 255, no rounding of
// asin(-1) below 0, and the arctangent's exceptions mirrored about the centre.
TEST(LookupTables, TellingEntries) {
  EXPECT_EQ(sineTable[0], 128);
  EXPECT_EQ(sineTable[64], 255);
  EXPECT_EQ(sineTable[128], 127);
  EXPECT_EQ(sineTable[192], 0);
  EXPECT_EQ(cosineTable[0], 255);
  EXPECT_EQ(arcsineTable[0], 0);
  EXPECT_EQ(arcsineTable[255], 255);
  EXPECT_EQ(arctangentTable[92], 17);
  for (int i = 0; i < kLookupEntries; i++) EXPECT_EQ(arctangentTable[i] + arctangentTable[255 - i], 255) << i;
  EXPECT_EQ(dampedSineTable[15], 241);
  EXPECT_EQ(decayTable[255], 4);
}

}  // namespace
