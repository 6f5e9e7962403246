#ifndef ZORVA_IMAGE_RGB_PICTURE_H
#define ZORVA_IMAGE_RGB_PICTURE_H

#include <cstdint>
#include <vector>

// An 8-bit RGB picture as the tool's files store it, and the numbers it
// labels things with.
struct RgbPicture {
  int width;
  int height;
  std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel
};

// The digits' size in pixels: 3 by 5 font pixels, each 2 by 2.
constexpr int kDigitScale = 2;
constexpr int kDigitWidth = 3 * kDigitScale;
constexpr int kDigitHeight = 5 * kDigitScale;
constexpr int kDigitAdvance = 4 * kDigitScale;

void SetPixel(RgbPicture& picture, int x, int y, uint8_t r, uint8_t g, uint8_t b);

// A non-negative number in decimal, its top-left corner at (left, top), in
// the grey `ink`. Returns the width it took.
int DrawNumber(RgbPicture& picture, int number, int left, int top, uint8_t ink);

#endif
