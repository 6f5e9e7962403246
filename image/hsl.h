#ifndef ZORVA_IMAGE_HSL_H
#define ZORVA_IMAGE_HSL_H

#include <cstdint>

// Integer hue, saturation and lightness to red, green and blue, all bytes.
// The channel statements "h", "s" and "l" are converted through it.
struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

Rgb HslToRgb(int32_t hue, int32_t saturation, int32_t lightness);

// One channel of HslToRgb: the ramp between low and high for a hue.
int32_t HueToChannel(int32_t low, int32_t high, int32_t hue);

#endif
