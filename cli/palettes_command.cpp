// zorva palettes [--scale K] -o FILE.png: draws every built-in palette as a
// labelled strip, to pick the first argument of pal from.
#include "cli/commands.h"
#include "cli/picture_output.h"
#include "image/palette_swatches.h"

namespace zorva {
namespace {

int DrawPalettes(CommandLine& line) {
  const PictureOutput out = ReadPictureOutput(line, {PictureFormat::Png});
  if (!line.error.empty()) return line.UsageError();
  return WritePicture(out, DrawPaletteSwatches()) ? 0 : CannotWrite(line, out.path);
}

}  // namespace

const Command kPalettesCommand = {
    "palettes", "[--scale K] -o FILE.png", "draw the 28 palettes of pal as labelled strips",
    "The strip labelled K shows pal(K, ...): palettes 1 to 28, as pal numbers them.\n"
    "--scale K makes each pixel K x K (1 to 8, default 1).\n",
    {{"--scale", true}, {"-o", true}}, 0, DrawPalettes,
};

}  // namespace zorva
