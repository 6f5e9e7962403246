#include "image/palettes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/tools/palette_keys.h"

namespace {

TEST(Palettes, CommittedDataIsTheGeneratorsLinesThroughTheKeyColours) {
  static PaletteTable expanded;
  ExpandPalettes(expanded);
  EXPECT_EQ(std::memcmp(expanded, BuiltinPalettes, sizeof expanded), 0);
  for (int p = 0; p < kPaletteCount; p++) {
    std::vector<PaletteKey> keys = PaletteKeys(p);
    ASSERT_EQ(keys.front().entry, 0);
    ASSERT_EQ(keys.back().entry, 255);
    for (std::size_t k = 0; k + 1 < keys.size(); k++) {
      const PaletteKey& from = keys[k];
      const PaletteKey& to = keys[k + 1];
      ASSERT_LT(from.entry, to.entry);
      EXPECT_EQ(std::memcmp(BuiltinPalettes[p][from.entry], from.rgb, 3), 0) << "palette " << p << " key " << k;
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
  }
}

}  // namespace
