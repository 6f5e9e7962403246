// Without a window system: plain memory, and colours always in the table.
#include <cstdlib>

#include "image/pixel_platform.h"

namespace zorva {

void PaletteDeleter::operator()(Palette*) const {}

bool AllocateImageBlock(size_t bytes, ImageBlock* block) {
  void* memory = std::calloc(bytes, 1);
  *block = {memory, static_cast<uint8_t*>(memory)};
  return memory != nullptr;
}

void FreeImageBlock(const ImageBlock& block) { std::free(block.handle); }

bool ScreenUsesPalette() { return false; }

PalettePtr MakeImagePalette() { return nullptr; }

void SetPaletteEntry(Palette&, int, uint8_t, uint8_t, uint8_t) {}

}  // namespace zorva
