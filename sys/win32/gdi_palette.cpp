#include "sys/gdi_palette.h"

Palette::Palette() : logPalette{} {
  logPalette.palVersion = 0x300;
  logPalette.palNumEntries = 256;
  for (PALETTEENTRY& entry : logPalette.palPalEntry) entry.peFlags = PC_RESERVED;
}

void Palette::SetEntry(int index, uint8_t red, uint8_t green, uint8_t blue) {
  PALETTEENTRY& entry = logPalette.palPalEntry[index];
  entry.peRed = red;
  entry.peGreen = green;
  entry.peBlue = blue;
}

HPALETTE Palette::Realize(HDC dc) {
  if (!paletteHandle)
    paletteHandle.reset(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logPalette)));
  if (!paletteHandle) return nullptr;
  HPALETTE previous = SelectPalette(dc, paletteHandle.get(), FALSE);
  RealizePalette(dc);
  AnimatePalette(paletteHandle.get(), 0, 256, logPalette.palPalEntry);
  return previous;
}
