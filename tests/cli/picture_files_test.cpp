// The convention of every zorva command that writes a picture, run as a
// program: -o picks the format by its extension in any letter case, --scale
// magnifies PNG and GIF pictures, and a GIF plays in the music's time.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/palette_swatches.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

// Runs "zorva ARGS -o PATH" in the temporary folder; it must succeed.
std::string Written(const std::string& args, const std::string& name) {
  const std::string path = TempFilePath(name);
  const ZorvaRun run = RunZorva(args + " -o " + path);
  EXPECT_EQ(run.exitCode, 0) << args << ": " << run.err;
  return path;
}

TEST(PictureFiles, TheExtensionInAnyLetterCasePicksTheFormat) {
  EXPECT_EQ(ReadFileBytes(Written("render x", "zorva_case.PNG")).substr(0, 4), "\x89PNG");
  EXPECT_EQ(ReadFileBytes(Written("render x", "zorva_case.Gif")).substr(0, 6), "GIF89a");
  EXPECT_EQ(ReadFileBytes(Written("render x", "zorva_case.RAW")).size(), 768u + 256 * 256);
  EXPECT_EQ(ReadFileBytes(Written("evolve x --children 1", "zorva_case_evolve.PNG")).substr(0, 4), "\x89PNG");
  EXPECT_EQ(Lines(ReadFileBytes(TempFilePath("zorva_case_evolve.txt"))).size(), 2u);
}

// Each pixel becomes K x K in a PNG or a GIF; a .raw stays the data it was.
TEST(PictureFiles, ScaleMakesEachPixelOfAPngOrGifKByK) {
  const char* text = "'p=pal(8,t); x*y+t' --frames 2 --step 4";
  const Png one = ReadPng(Written(std::string("render ") + text, "zorva_scale1.png"));
  const Png three = ReadPng(Written(std::string("render ") + text + " --scale 3", "zorva_scale3.png"));
  ASSERT_EQ(one.width, 64);
  ASSERT_EQ(three.width, 192);
  ASSERT_EQ(three.height, 192);
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 192; ++x) ASSERT_EQ(three.Pixel(x, y), one.Pixel(x / 3, y / 3)) << x << "," << y;

  const std::string gifPath = Written(std::string("render ") + text + " --scale 2", "zorva_scale2.gif");
  int error = 0;
  GifFileType* gif = DGifOpenFileName(gifPath.c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, 128);
  const SavedImage& last = gif->SavedImages[gif->ImageCount - 1];
  const GifColorType* colours = last.ImageDesc.ColorMap->Colors;
  for (int y = 0; y < 128; y += 5)
    for (int x = 0; x < 128; x += 3) {
      const GifColorType& c = colours[last.RasterBits[y * 128 + x]];
      ASSERT_EQ((std::vector<int>{c.Red, c.Green, c.Blue}), one.Pixel(x / 2, y / 2)) << x << "," << y;
    }
  DGifCloseFile(gif, &error);

  EXPECT_EQ(ReadFileBytes(Written(std::string("render ") + text + " --scale 5", "zorva_scale5.raw")),
            ReadFileBytes(Written(std::string("render ") + text, "zorva_scale1.raw")));
  const Png palettes = ReadPng(Written("palettes --scale 2", "zorva_scale_palettes.pNg"));
  const RgbPicture swatches = DrawPaletteSwatches();
  ASSERT_EQ(palettes.width, 2 * swatches.width);
  ASSERT_EQ(palettes.height, 2 * swatches.height);
  for (int y = 0; y < palettes.height; ++y)
    for (int x = 0; x < palettes.width; ++x) {
      const uint8_t* drawn = &swatches.rgb[3 * (y / 2 * swatches.width + x / 2)];
      ASSERT_EQ(palettes.Pixel(x, y), std::vector<int>(drawn, drawn + 3)) << x << "," << y;
    }
  const Png sheet = ReadPng(Written("evolve x --children 1 --scale 2", "zorva_scale_evolve.png"));
  EXPECT_EQ(sheet.width, 2 * 4 * 128);
  EXPECT_EQ(sheet.height, 2 * 128);
}

// GIF delays count hundredths of a second, and browsers slow a delay under 2
// to 10: 90 frames at 60 a second must still last 1.5 s, no frame under 2.
TEST(PictureFiles, AGifPlaysInTheMusicsTime) {
  const std::string path = Written("render x+t --frames 90 --step 16", "zorva_timing.gif");
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  int total = 0;
  for (int i = 0; i < gif->ImageCount; ++i) {
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
    EXPECT_GE(control.DelayTime, 2) << i;
    total += control.DelayTime;
  }
  EXPECT_NEAR(total, 150, 1.5);
  DGifCloseFile(gif, &error);
}

}  // namespace
}  // namespace zorva
