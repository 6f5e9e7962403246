// Prints image/palettes_data.cpp: the built-in palettes expanded from their keys.
//   generate_palettes > image/palettes_data.cpp
#include <cstdio>

#include "image/tools/palette_keys.h"

namespace {

void PrintPalette(int p, const uint8_t (&palette)[kPaletteEntries][3]) {
  std::printf("    {  // %d", p);
  for (int i = 0; i < kPaletteEntries; i++) {
    std::printf(i % 5 == 0 ? "\n        " : " ");
    std::printf("{%d, %d, %d},", palette[i][0], palette[i][1], palette[i][2]);
  }
  std::printf("\n    },\n");
}

}  // namespace

int main() {
  static PaletteTable palettes;
  ExpandPalettes(palettes);
  std::printf("// Written by image/tools/generate_palettes; do not edit.\n");
  std::printf("#include \"image/palettes.h\"\n\n");
  std::printf("const uint8_t BuiltinPalettes[kPaletteCount][kPaletteEntries][3] = {\n");
  for (int p = 0; p < kPaletteCount; p++) PrintPalette(p, palettes[p]);
  std::printf("};\n");
  return 0;
}
