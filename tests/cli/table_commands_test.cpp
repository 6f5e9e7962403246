// zorva table, palette and palettes, run as a program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "codegen/lookup_tables.h"
#include "image/palette_swatches.h"
#include "image/palettes.h"
#include "tests/cli/zorva_process.h"

namespace {

// The lines that "zorva ARGS" printed; it must succeed.
std::vector<std::string> PrintedLines(const std::string& args) {
  const ZorvaRun run = RunZorva(args);
  EXPECT_EQ(run.exitCode, 0) << args;
  return Lines(run.out);
}

TEST(TableCommands, TablePrintsEveryEntryInDecimal) {
  const std::vector<std::string> sine = PrintedLines("table sine"), exp = PrintedLines("table exp");
  ASSERT_TRUE(sine.size() == 256u && exp.size() == 256u);
  for (int i = 0; i < 256; i++) {
    EXPECT_EQ(sine[i], std::to_string(sineTable[i])) << i;
    EXPECT_EQ(exp[i], std::to_string(exponentialTable[i])) << i;
  }
  EXPECT_EQ(RunZorva("table tangent").exitCode, 2);
}

TEST(TableCommands, PalettePrintsWhatPalReads) {
  for (int k : {0, 1, 8, 28, 29, -1}) {
    const std::vector<std::string> lines = PrintedLines("palette " + std::to_string(k));
    ASSERT_EQ(lines.size(), 256u);
    for (int x = 0; x < 256; x++) {
      std::string rgb = std::to_string(Pal(k, 0, x, 0)) + " " + std::to_string(Pal(k, 0, x, 1)) +
                        " " + std::to_string(Pal(k, 0, x, 2));
      EXPECT_EQ(lines[x], rgb) << "palette " << k << " entry " << x;
    }
  }
}

TEST(TableCommands, PalettesWritesThePictureAsPng) {
  const std::string path = TempFilePath("zorva_palettes.png");
  ASSERT_EQ(RunZorva("palettes -o " + path).exitCode, 0);
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
  RgbPicture picture = DrawPaletteSwatches();
  ASSERT_EQ(width, picture.width);
  ASSERT_EQ(height, picture.height);
  EXPECT_EQ(std::memcmp(pixels, picture.rgb.data(), picture.rgb.size()), 0);
  stbi_image_free(pixels);
  std::remove(path.c_str());
}

}  // namespace
