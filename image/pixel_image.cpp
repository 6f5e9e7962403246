#include "image/pixel_image.h"

#include <cstring>

#include "image/pixel_platform.h"

namespace zorva {

namespace {

void Put16(uint8_t* at, uint16_t value) { std::memcpy(at, &value, 2); }
void Put32(uint8_t* at, int32_t value) { std::memcpy(at, &value, 4); }

void WriteHeader(uint8_t* header, int32_t width, int32_t height, int32_t stride) {
  Put32(header + 0, kBitmapHeaderBytes);
  Put32(header + 4, width);
  Put32(header + 8, height);  // positive: the rows are stored bottom-up
  Put16(header + 12, 1);      // planes
  Put16(header + 14, 8);      // bits per pixel
  Put32(header + 16, 0);      // uncompressed
  Put32(header + 20, stride * height);
  Put32(header + 24, 0);
  Put32(header + 28, 0);
  Put32(header + 32, 256);  // colours used
  Put32(header + 36, 256);  // colours important
}

// With a hardware palette the table holds indices: entry i shows palette
// entry i. Otherwise it holds colours, all black until SetEntry.
void WriteColorTable(uint8_t* table, bool indexForm) {
  if (!indexForm) return;  // the block is zero-filled: black, reserved 0
  for (int i = 0; i < 256; ++i) Put16(table + 2 * i, static_cast<uint16_t>(i));
}

}  // namespace

bool PixelImage::Allocate(int32_t newWidth, int32_t newHeight) {
  Free();
  PalettePtr newPalette;
  if (ScreenUsesPalette()) {
    newPalette = MakeImagePalette();
    if (!newPalette) return false;
  }
  const int32_t newStride = StrideOf(newWidth);
  ImageBlock block;
  const size_t bytes = static_cast<size_t>(newStride) * static_cast<size_t>(newHeight) + kPixelOffset;
  if (!AllocateImageBlock(bytes, &block)) return false;
  WriteHeader(block.address, newWidth, newHeight, newStride);
  WriteColorTable(block.address + kBitmapHeaderBytes, newPalette != nullptr);
  memoryHandle = block.handle;
  header = block.address;
  bits = block.address + kPixelOffset;
  palette = std::move(newPalette);
  width = newWidth;
  height = newHeight;
  stride = newStride;
  return true;
}

void PixelImage::SetEntry(int index, uint8_t c0, uint8_t c1, uint8_t c2) {
  if (palette) {
    SetPaletteEntry(*palette, index, c0, c1, c2);
    return;
  }
  if (!header) return;
  uint8_t* entry = header + kBitmapHeaderBytes + 4 * index;
  entry[0] = c2;  // blue, green, red, reserved
  entry[1] = c1;
  entry[2] = c0;
}

void PixelImage::Free() {
  palette.reset();
  if (!memoryHandle) return;
  FreeImageBlock({memoryHandle, header});
  memoryHandle = nullptr;
  bits = nullptr;
  header = nullptr;
  width = 0;
  height = 0;
  stride = 0;
}

SourceImage PixelImage::AsSource() const {
  return {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(memoryHandle)), bits, header, palette.get(), width,
          height, stride};
}

}  // namespace zorva
