#ifndef ZORVA_IMAGE_TOOLS_PALETTE_KEYS_H
#define ZORVA_IMAGE_TOOLS_PALETTE_KEYS_H

#include <cstdint>
#include <vector>

#include "image/palettes.h"

// The key colours that fix the shape of every built-in palette. Between two
// consecutive keys each component runs linearly.
struct PaletteKey {
  int entry;
  uint8_t rgb[3];
};

std::vector<PaletteKey> PaletteKeys(int palette);

using PaletteTable = uint8_t[kPaletteCount][kPaletteEntries][3];

// Fills every palette from its keys.
void ExpandPalettes(PaletteTable& palettes);

#endif
