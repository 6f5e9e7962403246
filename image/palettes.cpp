#include "image/palettes.h"

int32_t Pal(int32_t a, int32_t b, int32_t x, int32_t channel) {
  if (a == 0) return x;
  uint32_t palette = (static_cast<uint32_t>(a) - 1u) % kPaletteCount;
  uint32_t index = (static_cast<uint32_t>(b) + static_cast<uint32_t>(x)) & 255u;
  return BuiltinPalettes[palette][index][channel];
}
