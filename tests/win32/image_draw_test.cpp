// Painting the image: magnification, tiling from the area's top-left corner,
// the order of the cells, when the off-screen copy is used, and that every
// GDI object Draw makes is gone afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "app/image_draw.h"
#include "image/pixel_image.h"
#include "image/pixel_platform.h"
#include "sys/gdi_handles.h"
#include "sys/gdi_palette.h"

namespace zorva {
namespace {

// Live GDI objects of the process, DCs included, found by asking every
// handle index for its type. Wine answers for an index without the handle's
// upper half, so the count is real there; elsewhere it may read 0, and the
// tests only compare counts.
int LiveGdiObjects() {
  int live = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  return live;
}

// An image whose every pixel has its own colour: red = column, green = row
// from the top, blue = 7.
void Fill(PixelImage& image, int width, int height) {
  ASSERT_TRUE(image.Allocate(width, height));
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      image.bits[(height - 1 - row) * image.stride + column] = static_cast<uint8_t>(row * width + column);
  for (int i = 0; i < 256; ++i) image.SetEntry(i, i % width * 8, i / width * 8, 7);
}

// A memory DC over a top-down 32-bit DIB section, so pixels can be read.
class Canvas {
 public:
  Canvas(int width, int height) : width(width), memory(nullptr) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<uint32_t*>(bits);
    previous = SelectObject(dc, bitmap.get());
    for (int i = 0; i < width * height; ++i) pixels[i] = 0x123456;
  }
  ~Canvas() { SelectObject(dc, previous); }
  // As red, green, blue.
  std::tuple<int, int, int> At(int x, int y) const {
    GdiFlush();
    const uint32_t p = pixels[y * width + x];
    return {static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p & 255)};
  }

  int width;
  MemoryDc memory;
  const HDC dc = memory.dc;
  GdiBitmap bitmap;
  uint32_t* pixels;
  HGDIOBJ previous;
};

std::tuple<int, int, int> Colour(int column, int row) { return {column * 8, row * 8, 7}; }

TEST(PixelImageDraw, ZoomMagnifiesTheTopRowToTheTop) {
  PixelImage image;
  Fill(image, 4, 4);
  Canvas canvas(8, 8);
  DrawImage(image, canvas.dc, RECT{0, 0, 8, 8}, 2);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(canvas.At(x, y), Colour(x / 2, y / 2)) << x << "," << y;
}

TEST(PixelImageDraw, TilesRepeatFromTheCornerAndRunPastTheEdges) {
  PixelImage image;
  Fill(image, 16, 8);
  Canvas canvas(64, 40);
  // Tiles of 32 x 16 over 45 x 27 from (3, 2): cells at x = 3, 35 and y = 2, 18.
  DrawImage(image, canvas.dc, RECT{3, 2, 48, 29}, 2);
  EXPECT_EQ(canvas.At(0, 10), std::make_tuple(0x12, 0x34, 0x56));  // left of the area
  EXPECT_EQ(canvas.At(10, 1), std::make_tuple(0x12, 0x34, 0x56));  // above it
  EXPECT_EQ(canvas.At(3, 2), Colour(0, 0));
  EXPECT_EQ(canvas.At(35 + 9, 2 + 5), Colour(4, 2));
  EXPECT_EQ(canvas.At(3 + 31, 18 + 15), Colour(15, 7));
  EXPECT_EQ(canvas.At(35 + 28, 18 + 4), Colour(14, 2));  // the clipped last cell
}

// The blits recorded into a metafile, in order: the record type, then the
// destination's x, y, width and height.
using Blit = std::tuple<DWORD, LONG, LONG, LONG, LONG>;

int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM blits) {
  auto& out = *reinterpret_cast<std::vector<Blit>*>(blits);
  if (record->iType == EMR_BITBLT) {
    const auto& b = *reinterpret_cast<const EMRBITBLT*>(record);
    out.emplace_back(EMR_BITBLT, b.xDest, b.yDest, b.cxDest, b.cyDest);
  } else if (record->iType == EMR_STRETCHDIBITS) {
    const auto& s = *reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
    out.emplace_back(EMR_STRETCHDIBITS, s.xDest, s.yDest, s.cxDest, s.cyDest);
  }
  return 1;
}

std::vector<Blit> BlitsOfDraw(PixelImage& image, RECT area, int zoom) {
  HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  DrawImage(image, metafile, area, zoom);
  HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
  std::vector<Blit> blits;
  EnumEnhMetaFile(nullptr, recorded, Record, &blits, nullptr);
  DeleteEnhMetaFile(recorded);
  return blits;
}

TEST(PixelImageDraw, CellsInCheckerboardOrderFromACopyWhenTheTileDoesNotFit) {
  PixelImage image;
  Fill(image, 128, 128);
  // 300 wide: cells at 0, 128 and 256, the last one clipped by the window.
  const DWORD stretch = EMR_STRETCHDIBITS;
  const std::vector<Blit> expected = {
      {stretch, 128, 0, 128, 128}, {stretch, 0, 128, 128, 128}, {stretch, 256, 128, 128, 128},
      {stretch, 0, 0, 128, 128},   {stretch, 256, 0, 128, 128}, {stretch, 128, 128, 128, 128},
  };
  EXPECT_EQ(BlitsOfDraw(image, RECT{0, 0, 300, 256}, 1), expected);
  // 100 high: the tile does not fit, so every cell comes from the copy.
  const std::vector<Blit> copied = {
      {EMR_BITBLT, 133, 5, 128, 128}, {EMR_BITBLT, 5, 5, 128, 128}, {EMR_BITBLT, 261, 5, 128, 128}};
  EXPECT_EQ(BlitsOfDraw(image, RECT{5, 5, 305, 105}, 1), copied);
  // The off-screen copy only when the tile does not fit.
  const std::vector<Blit> exact = BlitsOfDraw(image, RECT{0, 0, 256, 256}, 2);
  EXPECT_EQ(exact, (std::vector<Blit>{{EMR_STRETCHDIBITS, 0, 0, 256, 256}}));
  const std::vector<Blit> shorter = BlitsOfDraw(image, RECT{0, 0, 256, 255}, 2);
  EXPECT_EQ(shorter, (std::vector<Blit>{{EMR_BITBLT, 0, 0, 256, 256}}));
  const std::vector<Blit> narrower = BlitsOfDraw(image, RECT{10, 0, 265, 256}, 2);
  EXPECT_EQ(narrower, (std::vector<Blit>{{EMR_BITBLT, 10, 0, 256, 256}}));
}

// Without and with a hardware palette of the image's own.
TEST(PixelImageDraw, LeavesNoGdiObjectAndRestoresTheDc) {
  PixelImage image;
  Fill(image, 86, 86);
  Canvas canvas(256, 256);
  const HGDIOBJ bitmap = GetCurrentObject(canvas.dc, OBJ_BITMAP);
  const HGDIOBJ palette = GetCurrentObject(canvas.dc, OBJ_PAL);
  int before = 0;
  for (const bool ownPalette : {false, true}) {
    if (ownPalette) image.palette = MakeImagePalette();
    DrawImage(image, canvas.dc, RECT{0, 0, 256, 256}, 1);  // a hardware palette is made once, here
    before = LiveGdiObjects();
    ASSERT_GT(before, 0) << "no GDI objects visible to the probe";
    for (int i = 0; i < 10; ++i) {
      DrawImage(image, canvas.dc, RECT{0, 0, 256, 256}, 2);  // tiles of 172: direct
      DrawImage(image, canvas.dc, RECT{0, 0, 256, 256}, 3);  // tiles of 258: off-screen copy
    }
    EXPECT_EQ(LiveGdiObjects(), before) << ownPalette;
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PAL), palette);
  }
  image.Free();
  EXPECT_EQ(LiveGdiObjects(), before - 1);  // the palette went with the image
}

}  // namespace
}  // namespace zorva
