#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "cli/png_file.h"
#include "image/palette_swatches.h"

namespace {

TEST(SwatchPng, ReadsBackAsTheSamePicture) {
  RgbPicture picture = DrawPaletteSwatches();
  char path[] = "/tmp/zorva_swatches_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(WritePngFile(path, picture.width, picture.height, picture.rgb.data()));
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(path, &width, &height, &channels, 3);
  std::remove(path);
  ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
  EXPECT_EQ(width, picture.width);
  EXPECT_EQ(height, picture.height);
  EXPECT_EQ(std::memcmp(pixels, picture.rgb.data(), picture.rgb.size()), 0);
  stbi_image_free(pixels);
}

}  // namespace
