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

TEST(LookupTables, SineUsesShortPiAndSaturates) {
  EXPECT_EQ(sineTable[0], 128);
  EXPECT_EQ(sineTable[58], 254);
  for (int i = 59; i <= 69; i++) EXPECT_EQ(sineTable[i], 255) << i;
  EXPECT_EQ(sineTable[70], 254);
  EXPECT_EQ(sineTable[128], 127);  // sin(3.1416) is just below zero
  EXPECT_EQ(sineTable[186], 1);
  for (int i = 187; i <= 197; i++) EXPECT_EQ(sineTable[i], 0) << i;
  EXPECT_EQ(sineTable[198], 1);
  EXPECT_EQ(sineTable[255], 124);
}

TEST(LookupTables, CosineIsSineAQuarterTurnOn) {
  EXPECT_EQ(cosineTable[0], 255);
  EXPECT_EQ(cosineTable[64], 127);
  EXPECT_EQ(cosineTable[128], 0);
  for (int i = 0; i < kLookupEntries; i++) EXPECT_EQ(cosineTable[i], sineTable[(i + 64) % 256]);
}

TEST(LookupTables, InverseSineAndCosineReachBothEnds) {
  EXPECT_EQ(arcsineTable[0], 0);  // asin(-1) must not round below 0
  EXPECT_EQ(arcsineTable[1], 10);
  EXPECT_EQ(arcsineTable[128], 128);
  EXPECT_EQ(arcsineTable[255], 255);
  EXPECT_EQ(arccosineTable[0], 255);
  EXPECT_EQ(arccosineTable[255], 0);
  for (int i = 1; i < kLookupEntries; i++) EXPECT_GE(arcsineTable[i], arcsineTable[i - 1]);
}

TEST(LookupTables, ArctangentHoldsItsTwelveExceptions) {
  EXPECT_EQ(arctangentTable[0], 5);
  EXPECT_EQ(arctangentTable[127], 122);
  EXPECT_EQ(arctangentTable[128], 133);
  EXPECT_EQ(arctangentTable[255], 250);
  const int below[][2] = {{92, 17}, {100, 22}, {106, 28}, {113, 40}, {117, 52}, {118, 56}};
  const int above[][2] = {{137, 199}, {138, 203}, {142, 215}, {149, 227}, {155, 233}, {163, 238}};
  for (const auto& e : below) EXPECT_EQ(arctangentTable[e[0]], e[1]) << e[0];
  for (const auto& e : above) EXPECT_EQ(arctangentTable[e[0]], e[1]) << e[0];
  // The exceptions mirror each other about the centre, as the formula does.
  for (int i = 0; i < kLookupEntries; i++)
    EXPECT_EQ(arctangentTable[i] + arctangentTable[255 - i], 255) << i;
}

TEST(LookupTables, DampedSineDecayAndExponential) {
  EXPECT_EQ(dampedSineTable[0], 128);
  EXPECT_EQ(dampedSineTable[15], 241);
  EXPECT_EQ(dampedSineTable[32], 127);
  EXPECT_EQ(dampedSineTable[47], 39);
  EXPECT_EQ(dampedSineTable[64], 128);
  EXPECT_EQ(decayTable[0], 255);
  EXPECT_EQ(decayTable[64], 93);
  EXPECT_EQ(decayTable[255], 4);
  EXPECT_EQ(exponentialTable[0], 1u);
  EXPECT_EQ(exponentialTable[25], 2u);
  EXPECT_EQ(exponentialTable[128], 167u);
  EXPECT_EQ(exponentialTable[255], 26903u);
}

}  // namespace
