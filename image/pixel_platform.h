// What PixelImage needs from the platform: the memory block and, on displays
// that work with a hardware palette, the palette.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/pixel_image.h"

namespace zorva {

struct ImageBlock {
  void* handle;
  uint8_t* address;  // locked for the block's lifetime
};

// A zero-filled block of `bytes`; false (and nothing held) when it can't be had.
bool AllocateImageBlock(size_t bytes, ImageBlock* block);
void FreeImageBlock(const ImageBlock& block);

// Whether the screen shows colours through a hardware palette.
bool ScreenUsesPalette();

// A palette of 256 black entries reserved for animation, or null.
PalettePtr MakeImagePalette();

void SetPaletteEntry(Palette& palette, int index, uint8_t red, uint8_t green, uint8_t blue);

}  // namespace zorva
