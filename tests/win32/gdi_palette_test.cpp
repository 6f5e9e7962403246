#include "sys/gdi_palette.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiPalette, RealizeMakesTheHandleOnceWithEveryEntryReserved) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  Palette palette;
  palette.SetEntry(1, 252, 0, 0);
  HPALETTE previous = palette.Realize(dc);
  EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
  HPALETTE made = palette.paletteHandle.get();
  ASSERT_NE(made, nullptr);
  PALETTEENTRY stored[2];
  ASSERT_EQ(GetPaletteEntries(made, 0, 2, stored), 2u);
  EXPECT_EQ(stored[0].peRed | stored[0].peGreen | stored[0].peBlue, 0);
  EXPECT_EQ(stored[1].peRed, 252);
  for (const PALETTEENTRY& entry : palette.logPalette.palPalEntry) EXPECT_EQ(entry.peFlags, PC_RESERVED);
  // A second realize reuses the handle; the one selected before is ours.
  palette.SetEntry(1, 0, 252, 0);
  EXPECT_EQ(palette.Realize(dc), made);
  EXPECT_EQ(palette.paletteHandle.get(), made);
  SelectPalette(dc, previous, FALSE);
  DeleteDC(dc);
}

}  // namespace
