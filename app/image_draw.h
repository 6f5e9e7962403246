#ifndef ZORVA_APP_IMAGE_DRAW_H
#define ZORVA_APP_IMAGE_DRAW_H

#include <windows.h>

#include <cstdint>

#include "image/pixel_image.h"

// Repeats the image over `area` of dc from its top-left corner, each copy
// `zoom` times the image's size.
void DrawImage(zorva::PixelImage& image, HDC dc, const RECT& area, int32_t zoom);

#endif
