// The 8-bit image an expression renders into and the main window shows: a
// packed device-independent bitmap (header, colour table, bottom-up pixel
// rows) in one memory block, handed to the platform's blit as it is. Painting
// it is Windows only: app/image_draw.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "codegen/render_context.h"

class Palette;  // sys/gdi_palette.h: displays with a hardware palette

namespace zorva {

constexpr int32_t kBitmapHeaderBytes = 40;
constexpr int32_t kColorTableBytes = 1024;
constexpr int32_t kPixelOffset = kBitmapHeaderBytes + kColorTableBytes;  // 1064

struct PaletteDeleter {
  void operator()(Palette* palette) const;
};
using PalettePtr = std::unique_ptr<Palette, PaletteDeleter>;

class PixelImage {
 public:
  PixelImage() = default;
  ~PixelImage() { Free(); }
  PixelImage(const PixelImage&) = delete;
  PixelImage& operator=(const PixelImage&) = delete;

  // Makes the block for width x height pixels, every colour black. False
  // when the memory (or the palette of a palette-based display) can't be had.
  bool Allocate(int32_t width, int32_t height);

  // Colour `index` (0..255) becomes red c0, green c1, blue c2.
  void SetEntry(int index, uint8_t c0, uint8_t c1, uint8_t c2);

  // Empties the image; harmless on an empty one.
  void Free();

  // The fields as the render context's source image words.
  SourceImage AsSource() const;

  // Bytes of one pixel row: width rounded up to a multiple of 4.
  static int32_t StrideOf(int32_t width) { return (width + 3) / 4 * 4; }

  void* memoryHandle = nullptr;
  uint8_t* bits = nullptr;    // first pixel byte: header + 1064
  uint8_t* header = nullptr;  // the block's locked start
  PalettePtr palette;         // only on a palette-based display
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
};

}  // namespace zorva
