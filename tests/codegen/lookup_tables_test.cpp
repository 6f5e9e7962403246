#include "codegen/lookup_tables.h"

#include <gtest/gtest.h>

#include "codegen/tools/lookup_rules.h"

namespace {

template <typename Entry>
void ExpectSameTable(const Entry* committed, const Entry* computed, const char* name) {
  for (int i = 0; i < kLookupEntries; i++)
    EXPECT_EQ(committed[i], computed[i]) << name << "[" << i << "]";
}

TEST(LookupTables, CommittedDataEqualsTheGeneratorsOutput) {
  LookupTables t = ComputeLookupTables();
  ExpectSameTable(sineTable, t.sine, "sine");
  ExpectSameTable(cosineTable, t.cosine, "cosine");
  ExpectSameTable(arcsineTable, t.arcsine, "arcsine");
  ExpectSameTable(arccosineTable, t.arccosine, "arccosine");
  ExpectSameTable(arctangentTable, t.arctangent, "arctangent");
  ExpectSameTable(dampedSineTable, t.dampedSine, "dampedSine");
  ExpectSameTable(decayTable, t.decay, "decay");
  ExpectSameTable(exponentialTable, t.exponential, "exponential");
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
  EXPECT_EQ(exponentialTable[255], 26903u);
}

}  // namespace
