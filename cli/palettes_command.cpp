// zorva palettes -o FILE.png: draws every built-in palette as a labelled
// strip, to pick the first argument of pal from.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/png_file.h"
#include "image/palette_swatches.h"

namespace zorva {
namespace {

int DrawPalettes(CommandLine& line) {
  const std::string path = line.Value("-o", "");
  if (path.empty()) return line.UsageError("-o FILE.png is missing");
  RgbPicture picture = DrawPaletteSwatches();
  if (!WritePngFile(path.c_str(), picture.width, picture.height, picture.rgb.data())) {
    std::fprintf(stderr, "zorva: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

const Command kPalettesCommand = {
    "palettes", "-o FILE.png", "draw the 28 palettes of pal as labelled strips",
    "The strip labelled K shows pal(K, ...): palettes 1 to 28, as pal numbers them.\n",
    {{"-o", true}}, 0, DrawPalettes,
};

}  // namespace zorva
