#include "sys/gdi_palette.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteWin32, StartsBlackAndReservedForAnimation) {
  Palette palette;
  EXPECT_EQ(palette.logPalette.palVersion, 0x300);
  EXPECT_EQ(palette.logPalette.palNumEntries, 256);
  for (const PALETTEENTRY& e : palette.logPalette.palPalEntry) {
    EXPECT_EQ(e.peRed | e.peGreen | e.peBlue, 0);
    EXPECT_EQ(e.peFlags, PC_RESERVED);
  }
  EXPECT_FALSE(palette.paletteHandle);
}

TEST(PaletteWin32, SetEntryKeepsTheFlags) {
  Palette palette;
  palette.SetEntry(255, 1, 2, 3);
  const PALETTEENTRY& e = palette.logPalette.palPalEntry[255];
  EXPECT_EQ(e.peRed, 1);
  EXPECT_EQ(e.peGreen, 2);
  EXPECT_EQ(e.peBlue, 3);
  EXPECT_EQ(e.peFlags, PC_RESERVED);
}

TEST(PaletteWin32, RealizeMakesTheHandleOnceAndReturnsThePreviousPalette) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  Palette palette;
  palette.SetEntry(1, 252, 0, 0);
  HPALETTE previous = palette.Realize(dc);
  EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
  HPALETTE made = palette.paletteHandle.get();
  ASSERT_NE(made, nullptr);
  PALETTEENTRY stored;
  ASSERT_EQ(GetPaletteEntries(made, 1, 1, &stored), 1u);
  EXPECT_EQ(stored.peRed, 252);
  // A second realize reuses the handle; the one selected before is ours.
  palette.SetEntry(1, 0, 252, 0);
  EXPECT_EQ(palette.Realize(dc), made);
  EXPECT_EQ(palette.paletteHandle.get(), made);
  SelectPalette(dc, previous, FALSE);
  DeleteDC(dc);
}

}  // namespace
