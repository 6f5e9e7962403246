// zorva palettes -o FILE.png: draws every built-in palette as a labelled
// strip, to pick the first argument of pal from.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/png_file.h"
#include "image/palette_swatches.h"

int PalettesCommand(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[0], "-o") != 0) {
    std::fputs("usage: zorva palettes -o FILE.png\n", stderr);
    return 2;
  }
  RgbPicture picture = DrawPaletteSwatches();
  if (!WritePngFile(argv[1], picture.width, picture.height, picture.rgb.data())) {
    std::fprintf(stderr, "zorva: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
