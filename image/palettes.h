#ifndef ZORVA_IMAGE_PALETTES_H
#define ZORVA_IMAGE_PALETTES_H

#include <cstdint>

// The 28 fixed palettes that pal reads: 256 entries of red, green, blue.
// palettes_data.cpp is written by image/tools/generate_palettes.
constexpr int kPaletteCount = 28;
constexpr int kPaletteEntries = 256;

extern const uint8_t BuiltinPalettes[kPaletteCount][kPaletteEntries][3];

// Component `channel` (0 red, 1 green, 2 blue) of entry (b + x) & 255 of
// palette (a - 1) mod 28, a read as unsigned. a = 0 stands for a source
// image's colours; there is never one loaded, so the result is x itself.
int32_t Pal(int32_t a, int32_t b, int32_t x, int32_t channel);

#endif
