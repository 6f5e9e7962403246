// An expression object from text to rendered frame: the statement kinds, the
// defaults, the palette passes and the pixel pass.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "image/glyx_image.h"
#include "image/hsl.h"
#include "image/palettes.h"
#include "sys/exec_memory.h"

namespace zorva {
namespace {

using Colour = std::tuple<int, int, int>;  // red, green, blue

Colour EntryOf(const GlyxImage& glyx, int i) {
  const uint8_t* entry = glyx.image.header + 40 + 4 * i;
  return {entry[2], entry[1], entry[0]};
}

// Pixel (x, y) of the picture, counted from its top row: rows are stored
// bottom-up.
int PixelAt(const GlyxImage& glyx, int column, int row) {
  const PixelImage& image = glyx.image;
  return image.bits[(image.height - 1 - row) * image.stride + column];
}

std::unique_ptr<GlyxImage> Built(const char* text, int32_t step = 1) {
  auto glyx = std::make_unique<GlyxImage>();
  ErrorRecord errors;
  EXPECT_TRUE(glyx->CreateFromText(text, errors)) << text << ": " << (errors.Message() ? errors.Message() : "");
  EXPECT_TRUE(glyx->Resize(256, 256, step, 256));
  return glyx;
}

TEST(GlyxImage, PalettePassesSeeXAsTheEntryYAsZeroAndTheMouseAndGiveTheColours) {
  std::unique_ptr<GlyxImage> glyx = Built("r=255-x; g=y+7; b=X+Y; y");
  ASSERT_TRUE(glyx->Render(0, 0));
  // X is 256 and Y is 1 in the palette passes.
  for (int i = 0; i < 256; ++i) ASSERT_EQ(EntryOf(*glyx, i), (Colour{255 - i, 7, 1})) << i;
  EXPECT_EQ(PixelAt(*glyx, 3, 0), 0);
  EXPECT_EQ(PixelAt(*glyx, 3, 200), 200);
  // The mouse and the period reach every pass.
  std::unique_ptr<GlyxImage> mouse = Built("r=xm; g=ym; b=T; xm-ym");
  mouse->Render(40, 9);
  EXPECT_EQ(EntryOf(*mouse, 100), (Colour{40, 9, 0}));  // T is 256
  EXPECT_EQ(PixelAt(*mouse, 0, 0), 31);
  // A palette statement gives all three channels; with an HSL statement its
  // values are read as hue, saturation and lightness.
  std::unique_ptr<GlyxImage> paletted = Built("p=pal(3); r=x; x"), hsl = Built("h=x; s=200; l=128"),
                             palettedHsl = Built("p=pal(5); h=x");
  ASSERT_TRUE(palettedHsl->statements.hslMode);
  const auto colour = [](Rgb rgb) { return Colour{rgb.red, rgb.green, rgb.blue}; };
  for (GlyxImage* glyx : {paletted.get(), hsl.get(), palettedHsl.get()}) ASSERT_TRUE(glyx->Render(0, 0));
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(EntryOf(*paletted, i), (Colour{Pal(3, 0, i, 0), Pal(3, 0, i, 1), Pal(3, 0, i, 2)})) << i;
    ASSERT_EQ(EntryOf(*hsl, i), colour(HslToRgb(i, 200, 128))) << i;
    ASSERT_EQ(EntryOf(*palettedHsl, i), colour(HslToRgb(Pal(5, 0, i, 0), Pal(5, 0, i, 1), Pal(5, 0, i, 2)))) << i;
  }
}

TEST(GlyxImage, ResizeRoundsUpToTheStepAndRestartsT) {
  std::unique_ptr<GlyxImage> glyx = Built("X+t*10", 3);
  EXPECT_EQ(glyx->height, 258);
  EXPECT_EQ(glyx->image.stride, 88);
  glyx->Render(0, 0);
  glyx->Render(0, 0);
  EXPECT_EQ(glyx->frame, 2);
  EXPECT_EQ(PixelAt(*glyx, 0, 0), (258 + 10) % 256);
  ASSERT_TRUE(glyx->Resize(256, 256, 2, 256));
  EXPECT_EQ(glyx->frame, 0);
  EXPECT_EQ(glyx->image.width, 128);
  glyx->Render(0, 0);
  EXPECT_EQ(PixelAt(*glyx, 127, 127), 0);
}

// The defaults are made after the statements of the text; each needs code
// memory of its own, and without it the text builds nothing.
TEST(GlyxImage, DefaultsThatGetNoCodeMemoryLeaveNoStatement) {
  const std::pair<const char*, int> textsAndBlocks[] = {{"r=x;g=x;b=x", 4}, {"[x,y]", 2}, {"x", 4}, {"r=y", 4}};
  for (const auto& [text, blocks] : textsAndBlocks) {
    for (int granted = 0; granted < blocks; ++granted) {
      GlyxImage glyx;
      ErrorRecord errors;
      sys::RefuseCodeMemoryAfter(granted);
      const bool built = glyx.CreateFromText(text, errors);
      sys::RefuseCodeMemoryAfter(-1);
      EXPECT_FALSE(built) << text << " with " << granted;
      EXPECT_EQ(glyx.ExpressionString("; "), "") << text << " with " << granted;
    }
  }
}

}  // namespace
}  // namespace zorva
