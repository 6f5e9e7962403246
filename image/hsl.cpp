#include "image/hsl.h"

#include <algorithm>

namespace {

// m * n / d rounded to nearest, halves up, in 64 bits: the platform's MulDiv
// for the only case used here, m and n >= 0 and d > 0.
int32_t MulDiv(int32_t m, int32_t n, int32_t d) {
  return static_cast<int32_t>((int64_t{m} * n + d / 2) / d);
}

}  // namespace

int32_t HueToChannel(int32_t low, int32_t high, int32_t hue) {
  if (hue > 255) hue -= 255;
  int32_t value;
  if (hue < 0) value = low;
  else if (hue < 42) value = low + MulDiv(high - low, hue, 42);
  else if (hue < 127) value = high;
  else if (hue < 170) value = low + MulDiv(high - low, 170 - hue, 42);
  else value = low;
  // 170 - 127 is 43, one more than the ramp's 42: at hue 127 the ramp would
  // overshoot high and the stored byte would wrap into a dark band.
  return std::clamp(value, low, high);
}

Rgb HslToRgb(int32_t hue, int32_t saturation, int32_t lightness) {
  if (saturation == 0) {
    uint8_t grey = static_cast<uint8_t>(MulDiv(lightness, 255, 255));
    return {grey, grey, grey};
  }
  int32_t high = lightness <= 127 ? MulDiv(lightness, saturation + 255, 255)
                                  : lightness + saturation - MulDiv(lightness, saturation, 255);
  int32_t low = 2 * lightness - high;
  auto channel = [&](int32_t h) {
    return static_cast<uint8_t>(MulDiv(HueToChannel(low, high, h), 255, 255));
  };
  return {channel(hue + 85), channel(hue), channel(hue - 85)};
}
