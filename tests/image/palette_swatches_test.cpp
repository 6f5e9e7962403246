#include "image/palette_swatches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "image/palettes.h"

namespace {

const uint8_t* PixelAt(const RgbPicture& picture, int x, int y) {
  return &picture.rgb[3 * (y * picture.width + x)];
}

int StripTop(int palette) { return kSwatchMargin + palette * (kSwatchHeight + kSwatchGap); }

TEST(PaletteSwatches, EveryStripShowsItsPaletteInOrderUnderItsOwnLabel) {
  RgbPicture picture = DrawPaletteSwatches();
  ASSERT_EQ(picture.rgb.size(), 3u * picture.width * picture.height);
  int left = kSwatchMargin + kSwatchLabelWidth;
  ASSERT_GE(picture.width, left + kPaletteEntries * kSwatchEntryWidth);
  for (int p = 0; p < kPaletteCount; p++)
    for (int i = 0; i < kPaletteEntries; i++) {
      int x = left + i * kSwatchEntryWidth + kSwatchEntryWidth - 1;
      const uint8_t* c = PixelAt(picture, x, StripTop(p) + kSwatchHeight - 1);
      const uint8_t* want = BuiltinPalettes[p][i];
      ASSERT_TRUE(c[0] == want[0] && c[1] == want[1] && c[2] == want[2])
          << "palette " << p << " entry " << i;
    }
  // The label area of each strip, as a bit string of inked pixels.
  std::vector<std::vector<bool>> labels;
  for (int p = 0; p < kPaletteCount; p++) {
    std::vector<bool> ink;
    for (int y = StripTop(p); y < StripTop(p) + kSwatchHeight; y++)
      for (int x = kSwatchMargin; x < kSwatchMargin + kSwatchLabelWidth; x++)
        ink.push_back(PixelAt(picture, x, y)[0] != PixelAt(picture, 0, 0)[0]);
    EXPECT_NE(std::count(ink.begin(), ink.end(), true), 0) << "strip " << p;
    for (const std::vector<bool>& other : labels) EXPECT_NE(ink, other) << "strip " << p;
    labels.push_back(ink);
  }
}

}  // namespace
