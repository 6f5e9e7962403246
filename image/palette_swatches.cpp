#include "image/palette_swatches.h"

#include "image/palettes.h"

namespace {

// Digits 0-9, 3 pixels wide and 5 high: one row a number, bit 2 the left pixel.
constexpr uint8_t kDigitFont[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr int kDigitScale = 2;
constexpr uint8_t kBackground = 32;
constexpr uint8_t kInk = 224;

void SetPixel(RgbPicture& picture, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = &picture.rgb[3 * (y * picture.width + x)];
  p[0] = r;
  p[1] = g;
  p[2] = b;
}

void DrawDigit(RgbPicture& picture, int digit, int left, int top) {
  for (int row = 0; row < 5 * kDigitScale; row++)
    for (int col = 0; col < 3 * kDigitScale; col++)
      if (kDigitFont[digit][row / kDigitScale] & (4 >> (col / kDigitScale)))
        SetPixel(picture, left + col, top + row, kInk, kInk, kInk);
}

void DrawNumber(RgbPicture& picture, int number, int left, int top) {
  constexpr int advance = 4 * kDigitScale;
  if (number >= 10) {
    DrawDigit(picture, number / 10, left, top);
    left += advance;
  }
  DrawDigit(picture, number % 10, left, top);
}

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
    DrawNumber(picture, p + 1, kSwatchMargin, top + (kSwatchHeight - 5 * kDigitScale) / 2);
    DrawStrip(picture, p, top);
  }
  return picture;
}
