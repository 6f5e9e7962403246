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

struct Output {
  int exitCode;
  std::vector<std::string> lines;
};

Output RunZorvaLines(const std::string& args) {
  const ZorvaRun run = RunZorva(args);
  return {run.exitCode, Lines(run.out)};
}

template <typename Entry>
void ExpectTablePrinted(const char* name, const Entry* table) {
  Output output = RunZorvaLines(std::string("table ") + name);
  EXPECT_EQ(output.exitCode, 0) << name;
  ASSERT_EQ(output.lines.size(), 256u) << name;
  for (int i = 0; i < 256; i++) EXPECT_EQ(output.lines[i], std::to_string(table[i])) << name << i;
}

TEST(TableCommands, TablePrintsEveryEntryInDecimal) {
  ExpectTablePrinted("sine", sineTable);
  ExpectTablePrinted("exp", exponentialTable);
  EXPECT_EQ(RunZorvaLines("table tangent").exitCode, 2);
}

TEST(TableCommands, PalettePrintsWhatPalReads) {
  for (int k : {0, 1, 8, 28, 29, -1}) {
    Output output = RunZorvaLines("palette " + std::to_string(k));
    EXPECT_EQ(output.exitCode, 0);
    ASSERT_EQ(output.lines.size(), 256u);
    for (int x = 0; x < 256; x++) {
      std::string rgb = std::to_string(Pal(k, 0, x, 0)) + " " + std::to_string(Pal(k, 0, x, 1)) +
                        " " + std::to_string(Pal(k, 0, x, 2));
      EXPECT_EQ(output.lines[x], rgb) << "palette " << k << " entry " << x;
    }
  }
  EXPECT_EQ(RunZorvaLines("palette eight").exitCode, 2);
}

TEST(TableCommands, PalettesWritesThePictureAsPng) {
  const std::string path = TempFilePath("zorva_palettes.png");
  ASSERT_EQ(RunZorvaLines("palettes -o " + path).exitCode, 0);
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
