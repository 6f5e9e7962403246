#ifndef ZORVA_SYS_GDI_PALETTE_H
#define ZORVA_SYS_GDI_PALETTE_H

// Windows only: the hardware palette of 8-bit displays.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

// The logical palette record with room for all 256 entries (the platform's
// LOGPALETTE declares only one).
struct LogPalette256 {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[256];
};

struct PaletteHandleDeleter {
  void operator()(HPALETTE palette) const { DeleteObject(palette); }
};
using PaletteHandle = std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteHandleDeleter>;

// A 256-colour logical palette for displays with a hardware palette. Every
// entry is reserved for animation, so new colours reach the screen by
// animating the palette, without making a new one each frame.
class Palette {
 public:
  Palette();

  // Stores a colour; nothing reaches the display until the next Realize.
  void SetEntry(int index, uint8_t red, uint8_t green, uint8_t blue);

  // Selects the palette into dc as a foreground palette, realizes it and
  // animates all entries. Returns the palette that dc held before (for the
  // caller to select back), or null when the palette can't be made.
  HPALETTE Realize(HDC dc);

  LogPalette256 logPalette;
  PaletteHandle paletteHandle;
};

#endif
