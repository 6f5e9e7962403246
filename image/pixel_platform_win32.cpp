// Movable global memory for the block, and the animated palette of displays
// that work with a hardware palette.
#include <windows.h>

#include <new>

#include "image/pixel_platform.h"
#include "sys/gdi_handles.h"
#include "sys/gdi_palette.h"

namespace zorva {

void PaletteDeleter::operator()(Palette* palette) const { delete palette; }

bool AllocateImageBlock(size_t bytes, ImageBlock* block) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!handle) return false;
  void* address = GlobalLock(handle);
  if (!address) {
    GlobalFree(handle);
    return false;
  }
  *block = {handle, static_cast<uint8_t*>(address)};
  return true;
}

void FreeImageBlock(const ImageBlock& block) {
  GlobalUnlock(block.handle);
  GlobalFree(block.handle);
}

bool ScreenUsesPalette() {
  const WindowDc screen(nullptr);
  return (GetDeviceCaps(screen.dc, RASTERCAPS) & RC_PALETTE) != 0;
}

PalettePtr MakeImagePalette() { return PalettePtr(new (std::nothrow) Palette()); }

void SetPaletteEntry(Palette& palette, int index, uint8_t red, uint8_t green, uint8_t blue) {
  palette.SetEntry(index, red, green, blue);
}

}  // namespace zorva
