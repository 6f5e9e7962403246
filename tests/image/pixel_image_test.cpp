// The image block as the pixel loop and the platform's blit read it.
#include <gtest/gtest.h>

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "image/pixel_image.h"

namespace zorva {
namespace {

// The little-endian field of type T at `at`.
template <typename T>
T Field(const uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}
const auto Word = Field<int32_t>;

TEST(PixelImage, HeaderStrideAndFree) {
  PixelImage image;
  ASSERT_TRUE(image.Allocate(86, 86));
  EXPECT_EQ(image.stride, 88);
  EXPECT_EQ(image.bits, image.header + 1064);
  const uint8_t* h = image.header;
  EXPECT_EQ(Word(h + 0), 40);
  EXPECT_EQ(Word(h + 4), 86);
  EXPECT_EQ(Word(h + 8), 86);
  EXPECT_EQ(Field<int16_t>(h + 14), 8);
  EXPECT_EQ(Word(h + 20), 88 * 86);
  EXPECT_EQ(Word(h + 32), 256);
#ifdef _WIN32
  EXPECT_EQ(GlobalSize(image.memoryHandle), 88u * 86u + 1064u);
#endif
  // The pixel loop writes whole rows of the stride, padding included.
  std::memset(image.bits, 7, 88 * 86);
  ASSERT_TRUE(image.Allocate(256, 256));
  EXPECT_EQ(image.stride, 256);
  EXPECT_EQ(Word(image.header + 20), 256 * 256);
  ASSERT_TRUE(image.Allocate(5, 1));
  EXPECT_EQ(image.stride, 8);
  // Free empties the image and is harmless twice.
  image.Free();
  image.Free();
  image.SetEntry(0, 1, 2, 3);  // nothing to write into
  EXPECT_EQ(image.bits, nullptr);
  EXPECT_EQ(image.width, 0);
}

}  // namespace
}  // namespace zorva
