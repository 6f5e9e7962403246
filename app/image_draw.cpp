// Painting: the image repeated over an area at a whole-number magnification.
#include "app/image_draw.h"

#include <memory>

#include "sys/gdi_handles.h"
#include "sys/gdi_palette.h"

using zorva::PixelImage;

namespace {

constexpr DWORD kSourceCopy = SRCCOPY;  // 0xCC0020

struct Tile {
  int32_t width;
  int32_t height;
};

void StretchImage(const PixelImage& image, HDC target, int32_t x, int32_t y, Tile tile) {
  const UINT usage = image.palette ? DIB_PAL_COLORS : DIB_RGB_COLORS;
  StretchDIBits(target, x, y, tile.width, tile.height, 0, 0, image.width, image.height, image.bits,
                reinterpret_cast<const BITMAPINFO*>(image.header), usage, kSourceCopy);
}

// One magnified tile drawn once into memory, so that every cell is a plain
// copy. Made only when a tile does not fit the area; when the platform
// refuses it, it is not Ready and the cells are stretched directly.
class OffscreenTile {
 public:
  OffscreenTile(PixelImage& image, HDC dc, Tile tile)
      : memory(dc), bitmap(CreateCompatibleBitmap(dc, tile.width, tile.height)) {
    if (!Ready()) return;
    replaced = SelectObject(memory.dc, bitmap.get());
    if (image.palette) previousPalette = image.palette->Realize(memory.dc);
    StretchImage(image, memory.dc, 0, 0, tile);
  }

  // The bitmap and the context go after this, with the bitmap deselected.
  ~OffscreenTile() {
    if (!Ready()) return;
    SelectObject(memory.dc, replaced);
    if (previousPalette) SelectPalette(memory.dc, previousPalette, FALSE);
  }

  OffscreenTile(const OffscreenTile&) = delete;
  OffscreenTile& operator=(const OffscreenTile&) = delete;

  bool Ready() const { return memory.dc != nullptr && bitmap != nullptr; }

  MemoryDc memory;
  GdiBitmap bitmap;
  HGDIOBJ replaced = nullptr;
  HPALETTE previousPalette = nullptr;
};

bool TileFits(const RECT& area, Tile tile) {
  return tile.height <= area.bottom - area.top && tile.width <= area.right - area.left;
}

}  // namespace

// Two passes over the grid of cells, in checkerboard order: first the cells
// whose column and row add up to an odd number, then the others.
void DrawImage(PixelImage& image, HDC dc, const RECT& area, int32_t zoom) {
  const Tile tile{image.width * zoom, image.height * zoom};
  if (!image.header || tile.width <= 0 || tile.height <= 0) return;
  const HPALETTE dcPalette = image.palette ? image.palette->Realize(dc) : nullptr;
  {
    std::unique_ptr<OffscreenTile> copy;
    if (!TileFits(area, tile)) copy = std::make_unique<OffscreenTile>(image, dc, tile);
    const bool fromCopy = copy && copy->Ready();
    for (int parity = 1; parity >= 0; --parity) {
      for (int32_t row = 0; area.top + row * tile.height < area.bottom; ++row) {
        for (int32_t column = 0; area.left + column * tile.width < area.right; ++column) {
          if ((row + column) % 2 != parity) continue;
          const int32_t x = area.left + column * tile.width;
          const int32_t y = area.top + row * tile.height;
          if (fromCopy)
            BitBlt(dc, x, y, tile.width, tile.height, copy->memory.dc, 0, 0, kSourceCopy);
          else
            StretchImage(image, dc, x, y, tile);
        }
      }
    }
  }
  if (dcPalette) SelectPalette(dc, dcPalette, FALSE);
}
