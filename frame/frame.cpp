#include "frame/frame.h"

#include <cstring>

#include "codegen/sound_frame.h"

namespace zorva {

bool RenderFrame(GlyxImage& glyx, const AudioFeed& feed, int index, int xm, int ym) {
  SoundRows sound;
  feed.Fill(index, kFramesPerSecond, sound);
  CopySoundFrame(sound.waveform, sound.channels, sound.spectrum[0]);
  glyx.Render(xm, ym);
  return glyx.lastFrameWhole;
}

void AppendRawFrames(GlyxImage& glyx, const AudioFeed& feed, int count, int xm, int ym,
                     std::vector<uint8_t>* bytes) {
  Frame frame;
  for (int f = 0; f < count; ++f) {
    RenderFrame(glyx, feed, f, xm, ym);
    frame.Take(glyx.image);
    frame.AppendRaw(bytes);
  }
}

void Frame::Take(const PixelImage& image) {
  width = image.width;
  height = image.height;
  const uint8_t* table = image.header + kBitmapHeaderBytes;
  for (int i = 0; i < 256; ++i) {
    rgb[3 * i] = table[4 * i + 2];
    rgb[3 * i + 1] = table[4 * i + 1];
    rgb[3 * i + 2] = table[4 * i];
  }
  pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const uint8_t* stored = image.bits + static_cast<size_t>(height - 1 - row) * image.stride;
    std::memcpy(&pixels[static_cast<size_t>(row) * width], stored, width);
  }
}

void Frame::AppendRaw(std::vector<uint8_t>* bytes) const {
  bytes->insert(bytes->end(), rgb, rgb + sizeof rgb);
  bytes->insert(bytes->end(), pixels.begin(), pixels.end());
}

std::vector<uint8_t> Frame::Coloured() const {
  std::vector<uint8_t> coloured(pixels.size() * 3);
  for (size_t i = 0; i < pixels.size(); ++i) std::memcpy(&coloured[3 * i], &rgb[3 * pixels[i]], 3);
  return coloured;
}

bool Frame::SingleColour() const {
  for (uint8_t index : pixels) {
    if (std::memcmp(&rgb[3 * index], &rgb[3 * pixels[0]], 3) != 0) return false;
  }
  return true;
}

}  // namespace zorva
