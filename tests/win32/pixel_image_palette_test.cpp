// The image on a display that works with a hardware palette: the index form
// of the colour table, colours kept in the image's palette, and painting
// through it. These run only on such a display: palette_display_test.sh
// starts them on an 8-bit screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "app/image_draw.h"
#include "image/pixel_image.h"
#include "sys/gdi_handles.h"
#include "sys/gdi_palette.h"

namespace zorva {
namespace {

bool ScreenIsPaletteBased() {
  HDC screen = GetDC(nullptr);
  const bool paletteBased = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  ReleaseDC(nullptr, screen);
  return paletteBased;
}

class PixelImageOnPaletteDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ScreenIsPaletteBased()) GTEST_SKIP() << "the screen has no hardware palette";
  }
};

TEST_F(PixelImageOnPaletteDisplay, TableHoldsIndicesAndColoursGoToThePalette) {
  PixelImage image;
  ASSERT_TRUE(image.Allocate(86, 2));
  ASSERT_TRUE(image.palette);
  const uint8_t* table = image.header + 40;
  for (int i = 0; i < 256; ++i) {
    uint16_t entry;
    std::memcpy(&entry, table + 2 * i, 2);
    ASSERT_EQ(entry, i);
  }
  for (int i = 512; i < 1024; ++i) ASSERT_EQ(table[i], 0) << i;
  uint8_t before[1024];
  std::memcpy(before, table, sizeof before);
  image.SetEntry(5, 255, 10, 20);
  EXPECT_EQ(std::memcmp(before, table, sizeof before), 0);
  const PALETTEENTRY& colour = image.palette->logPalette.palPalEntry[5];
  EXPECT_EQ(colour.peRed, 255);
  EXPECT_EQ(colour.peGreen, 10);
  EXPECT_EQ(colour.peBlue, 20);
  image.Free();
  EXPECT_FALSE(image.palette);
}

TEST_F(PixelImageOnPaletteDisplay, DrawShowsThePaletteColoursAndRestoresTheDc) {
  PixelImage image;
  ASSERT_TRUE(image.Allocate(4, 1));
  for (int i = 0; i < 4; ++i) {
    image.bits[i] = static_cast<uint8_t>(i);
    image.SetEntry(i, 0, 0, 0);
  }
  image.SetEntry(2, 255, 0, 0);
  // A 24-bit memory bitmap, so that the colours come out as they are.
  const WindowDc screen(nullptr);
  const MemoryDc memory(screen.dc);
  const HDC dc = memory.dc;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const GdiBitmap bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const HGDIOBJ previous = SelectObject(dc, bitmap.get());
  const HGDIOBJ palette = GetCurrentObject(dc, OBJ_PAL);
  DrawImage(image, dc, RECT{0, 0, 8, 2}, 2);
  GdiFlush();
  const uint32_t* pixels = static_cast<const uint32_t*>(bits);
  EXPECT_EQ(pixels[4] & 0xFFFFFF, 0xFF0000u);  // pixel 2 at zoom 2
  EXPECT_EQ(pixels[8 + 5] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), palette);
  SelectObject(dc, previous);
}

}  // namespace
}  // namespace zorva
