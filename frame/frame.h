#ifndef ZORVA_FRAME_FRAME_H
#define ZORVA_FRAME_FRAME_H

#include <cstdint>
#include <vector>

#include "audio/audio_feed.h"
#include "image/glyx_image.h"
#include "image/pixel_image.h"

namespace zorva {

// The plug-in's window as the tool and the page render it: a 256 x 256 area, t's period
// 256, and the player's default pace of 60 frames a second.
constexpr int kAreaSize = 256;
constexpr int kPeriod = 256;
constexpr int kFramesPerSecond = 60;

// Renders frame `index` as the plug-in would: that frame's sound from `feed`
// goes into the sound frame, then the expression's passes run. False when a
// pass ended early (GlyxImage::lastFrameWhole).
bool RenderFrame(GlyxImage& glyx, const AudioFeed& feed, int index, int xm = 0, int ym = 0);

struct Frame;

// Renders frames 0 to count - 1 of a built expression, appending each as a
// .raw file holds it (see Frame::AppendRaw).
void AppendRawFrames(GlyxImage& glyx, const AudioFeed& feed, int count, int xm, int ym,
                     std::vector<uint8_t>* bytes);

// One frame as the tool's files store it: the 256 colours as red, green,
// blue, and the rows from the top (y = 0) down without padding.
struct Frame {
  int width = 0;
  int height = 0;
  uint8_t rgb[768] = {};
  std::vector<uint8_t> pixels;  // palette indices

  void Take(const PixelImage& image);

  // Appends the frame as a .raw file holds it: the 768 colour bytes, then
  // the pixels.
  void AppendRaw(std::vector<uint8_t>* bytes) const;

  // Three bytes a pixel: its colour.
  std::vector<uint8_t> Coloured() const;

  // Every pixel shows the same colour.
  bool SingleColour() const;
};

}  // namespace zorva

#endif
