#ifndef ZORVA_CLI_FRAME_H
#define ZORVA_CLI_FRAME_H

#include <cstdint>
#include <vector>

#include "image/pixel_image.h"

namespace zorva {

// One frame as the tool's files store it: the 256 colours as red, green,
// blue, and the rows from the top (y = 0) down without padding.
struct Frame {
  int width = 0;
  int height = 0;
  uint8_t rgb[768] = {};
  std::vector<uint8_t> pixels;  // palette indices

  void Take(const PixelImage& image);

  // Three bytes a pixel: its colour.
  std::vector<uint8_t> Coloured() const;

  // Every pixel shows the same colour.
  bool SingleColour() const;
};

}  // namespace zorva

#endif
