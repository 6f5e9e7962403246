#include "image/hsl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

void ExpectRgb(int h, int s, int l, int red, int green, int blue) {
  const Rgb c = HslToRgb(h, s, l);
  EXPECT_EQ((std::tuple<int, int, int>(c.red, c.green, c.blue)), std::make_tuple(red, green, blue))
      << h << "," << s << "," << l;
}

TEST(Hsl, PrimaryAndMixedColoursAndClampedRampTops) {
  ExpectRgb(0, 255, 127, 254, 0, 0);
  ExpectRgb(85, 255, 127, 0, 254, 0);
  ExpectRgb(170, 255, 127, 0, 0, 254);
  ExpectRgb(21, 255, 127, 254, 127, 0);
  ExpectRgb(0, 128, 64, 96, 32, 32);
  ExpectRgb(128, 128, 192, 160, 224, 224);
  ExpectRgb(255, 255, 255, 255, 255, 255);
  for (int l = 0; l < 256; l++) ExpectRgb(77, 0, l, l, l, l);  // no saturation: grey
  // The top of a ramp is clamped instead of wrapping.
  EXPECT_EQ(HueToChannel(0, 254, 127), 254);
  ExpectRgb(42, 255, 127, 254, 254, 0);
  ExpectRgb(127, 255, 127, 0, 254, 254);
  ExpectRgb(212, 255, 127, 254, 0, 254);
  ExpectRgb(42, 255, 200, 255, 255, 145);  // the ramp would give 258, stored as 2
}

TEST(Hsl, EveryColourStaysBetweenLowAndHigh) {
  // No hue, saturation or lightness may wrap a channel through 255.
  for (int h = 0; h < 256; h++)
    for (int s = 0; s < 256; s += 15)
      for (int l = 0; l < 256; l += 15) {
        Rgb c = HslToRgb(h, s, l);
        int brightest = std::max({c.red, c.green, c.blue});
        int darkest = std::min({c.red, c.green, c.blue});
        ASSERT_GE(brightest + darkest + 2, 2 * l) << h << "," << s << "," << l;
        ASSERT_LE(brightest + darkest, 2 * l + 2) << h << "," << s << "," << l;
      }
}

}  // namespace
