#ifndef ZORVA_IMAGE_PALETTE_SWATCHES_H
#define ZORVA_IMAGE_PALETTE_SWATCHES_H

#include "image/rgb_picture.h"

// A picture of all built-in palettes, one labelled strip each, from which
// users pick the first argument of pal: strip k is labelled k + 1.

// Layout of the picture, in pixels.
constexpr int kSwatchMargin = 4;
constexpr int kSwatchLabelWidth = 28;
constexpr int kSwatchEntryWidth = 2;
constexpr int kSwatchHeight = 16;
constexpr int kSwatchGap = 4;

RgbPicture DrawPaletteSwatches();

#endif
