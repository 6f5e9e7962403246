#include "image/palettes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/tools/palette_keys.h"

namespace {

bool HoldsFullLevels(int palette) { return palette == 1 || palette == 2 || palette == 8; }

void ExpectColour(int palette, int entry, int red, int green, int blue) {
  const uint8_t* c = BuiltinPalettes[palette][entry];
  EXPECT_EQ(c[0], red) << "palette " << palette << " entry " << entry;
  EXPECT_EQ(c[1], green) << "palette " << palette << " entry " << entry;
  EXPECT_EQ(c[2], blue) << "palette " << palette << " entry " << entry;
}

TEST(Palettes, CommittedDataEqualsTheGeneratorsOutput) {
  static PaletteTable expanded;
  ExpandPalettes(expanded);
  EXPECT_EQ(std::memcmp(expanded, BuiltinPalettes, sizeof expanded), 0);
}

TEST(Palettes, KeyColoursAreExactAndEntriesFollowTheLineBetweenThem) {
  for (int p = 0; p < kPaletteCount; p++) {
    std::vector<PaletteKey> keys = PaletteKeys(p);
    ASSERT_EQ(keys.front().entry, 0);
    ASSERT_EQ(keys.back().entry, 255);
    for (std::size_t k = 0; k + 1 < keys.size(); k++) {
      const PaletteKey& from = keys[k];
      const PaletteKey& to = keys[k + 1];
      ASSERT_LT(from.entry, to.entry);
      ExpectColour(p, from.entry, from.rgb[0], from.rgb[1], from.rgb[2]);
      for (int i = from.entry; i <= to.entry; i++)
        for (int c = 0; c < 3; c++) {
          double line = from.rgb[c] + double(to.rgb[c] - from.rgb[c]) * (i - from.entry) /
                                          (to.entry - from.entry);
          EXPECT_LE(std::abs(BuiltinPalettes[p][i][c] - line), 8.0)
              << "palette " << p << " entry " << i << " component " << c;
        }
    }
  }
}

TEST(Palettes, SixBitLevelsExceptInPalettesOneTwoAndEight) {
  for (int p = 0; p < kPaletteCount; p++) {
    if (HoldsFullLevels(p)) continue;
    for (int i = 0; i < kPaletteEntries; i++)
      for (int c = 0; c < 3; c++) {
        int v = BuiltinPalettes[p][i][c];
        ASSERT_TRUE(v % 4 == 0 && v <= 252) << "palette " << p << " entry " << i << ": " << v;
      }
  }
  EXPECT_EQ(BuiltinPalettes[2][255][0], 255);
  EXPECT_EQ(BuiltinPalettes[8][57][0], 255);
}

TEST(Palettes, FixedEntriesAndTwins) {
  for (int p = 0; p < kPaletteCount; p++) {
    int grey = p == 7 || p == 20 ? 48 : 0;
    ExpectColour(p, 0, grey, grey, grey);
  }
  EXPECT_EQ(std::memcmp(BuiltinPalettes[5], BuiltinPalettes[17], sizeof BuiltinPalettes[5]), 0);
  // A few keys, restated here so that a slip in the key table shows.
  ExpectColour(0, 128, 252, 252, 248);
  ExpectColour(9, 123, 144, 104, 76);
  ExpectColour(9, 124, 4, 108, 44);
  ExpectColour(13, 143, 0, 0, 0);
  ExpectColour(26, 254, 252, 252, 244);
  ExpectColour(27, 106, 252, 128, 0);
}

TEST(Palettes, PaletteThreeCyclesThroughTheRainbow) {
  ExpectColour(3, 1, 56, 0, 196);
  ExpectColour(3, 255, 24, 0, 228);
  for (int red : {7, 40, 72, 103, 135, 167, 199, 230}) {
    ExpectColour(3, red, 252, 0, 0);
    ExpectColour(3, red + 4, 252, 120, 0);
    ExpectColour(3, red + 8, 252, 248, 0);
    ExpectColour(3, red + 14, 68, 252, 0);
    ExpectColour(3, red + 23, 0, 76, 204);
    if (red + 25 < 255) ExpectColour(3, red + 25, 8, 0, 244);
  }
}

TEST(Palettes, PalPicksPaletteEntryAndChannel) {
  EXPECT_EQ(Pal(1, 0, 5, 0), BuiltinPalettes[0][5][0]);
  EXPECT_EQ(Pal(1, 300, 5, 2), BuiltinPalettes[0][49][2]);
  EXPECT_EQ(Pal(1, -6, 5, 1), BuiltinPalettes[0][255][1]);
  EXPECT_EQ(Pal(28, 0, 200, 1), BuiltinPalettes[27][200][1]);
  for (int channel = 0; channel < 3; channel++) EXPECT_EQ(Pal(0, 17, 5, channel), 5);
  for (int x = 0; x < kPaletteEntries; x++) {
    EXPECT_EQ(Pal(29, 0, x, 0), Pal(1, 0, x, 0));
    EXPECT_EQ(Pal(-1, 0, x, 1), Pal(3, 0, x, 1));
    EXPECT_EQ(Pal(-2, 0, x, 2), BuiltinPalettes[1][x][2]);
    EXPECT_EQ(Pal(-4, 0, x, 0), BuiltinPalettes[27][x][0]);
    EXPECT_EQ(Pal(-8, 0, x, 0), BuiltinPalettes[23][x][0]);
    EXPECT_EQ(Pal(-12, 0, x, 0), BuiltinPalettes[19][x][0]);
  }
}

}  // namespace
