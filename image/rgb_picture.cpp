#include "image/rgb_picture.h"

#include <string>

namespace {

// Digits 0-9, 3 pixels wide and 5 high: one row a number, bit 2 the left pixel.
constexpr uint8_t kDigitFont[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void DrawDigit(RgbPicture& picture, int digit, int left, int top, uint8_t ink) {
  for (int row = 0; row < kDigitHeight; row++)
    for (int col = 0; col < kDigitWidth; col++)
      if (kDigitFont[digit][row / kDigitScale] & (4 >> (col / kDigitScale)))
        SetPixel(picture, left + col, top + row, ink, ink, ink);
}

}  // namespace

void SetPixel(RgbPicture& picture, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = &picture.rgb[3 * (y * picture.width + x)];
  p[0] = r;
  p[1] = g;
  p[2] = b;
}

int DrawNumber(RgbPicture& picture, int number, int left, int top, uint8_t ink) {
  const std::string digits = std::to_string(number);
  for (size_t i = 0; i < digits.size(); ++i)
    DrawDigit(picture, digits[i] - '0', left + static_cast<int>(i) * kDigitAdvance, top, ink);
  return static_cast<int>(digits.size()) * kDigitAdvance - (kDigitAdvance - kDigitWidth);
}
