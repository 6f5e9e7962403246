#include "image/palette_swatches.h"

#include "image/palettes.h"

namespace {

constexpr uint8_t kBackground = 32;
constexpr uint8_t kInk = 224;

void DrawStrip(RgbPicture& picture, int palette, int top) {
  int left = kSwatchMargin + kSwatchLabelWidth;
  for (int i = 0; i < kPaletteEntries; i++) {
    const uint8_t* c = BuiltinPalettes[palette][i];
    for (int dx = 0; dx < kSwatchEntryWidth; dx++)
      for (int dy = 0; dy < kSwatchHeight; dy++)
        SetPixel(picture, left + i * kSwatchEntryWidth + dx, top + dy, c[0], c[1], c[2]);
  }
}

}  // namespace

RgbPicture DrawPaletteSwatches() {
  RgbPicture picture;
  picture.width = 2 * kSwatchMargin + kSwatchLabelWidth + kPaletteEntries * kSwatchEntryWidth;
  picture.height = kSwatchMargin + kPaletteCount * (kSwatchHeight + kSwatchGap);
  picture.rgb.assign(3 * picture.width * picture.height, kBackground);
  for (int p = 0; p < kPaletteCount; p++) {
    int top = kSwatchMargin + p * (kSwatchHeight + kSwatchGap);
    DrawNumber(picture, p + 1, kSwatchMargin, top + (kSwatchHeight - kDigitHeight) / 2, kInk);
    DrawStrip(picture, p, top);
  }
  return picture;
}
