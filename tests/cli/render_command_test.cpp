// zorva render, run as a program: the .raw layout and the sound it feeds, and
// the .png and .gif pictures of it. The plug-in's window against zorva render:
// main_window_test.sh.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

constexpr size_t kPaletteBytes = 768;

ZorvaRun Render(const std::string& text, const std::string& args) {
  return RunZorva("render '" + text + "' " + args);
}

std::string RenderRaw(const std::string& text, const std::string& args) {
  const std::string out = TempFilePath("zorva_render.raw");
  std::remove(out.c_str());
  const ZorvaRun run = Render(text, args + " -o " + out);
  EXPECT_EQ(run.exitCode, 0) << text << ": " << run.err;
  return ReadFileBytes(out);
}

TEST(RenderCommand, RawFramesHoldTheColoursThenTheRowsFromTheTop) {
  const std::string raw = RenderRaw("r=fft(x); g=snd(x); b=sndr(x); x+y*7+t+xm*ym+snd(y)*0",
                                    "--frames 2 --audio ramp --xm 3 --ym 4");
  const size_t frameBytes = kPaletteBytes + 256 * 256;
  ASSERT_EQ(raw.size(), 2 * frameBytes);
  for (int f = 0; f < 2; ++f) {
    const auto* frame = reinterpret_cast<const uint8_t*>(raw.data()) + f * frameBytes;
    // The ramp feed's rows of frame f (see README.md) as the built-ins read them
    // at x: fft the left spectrum byte x, snd host sample 2x of the left row,
    // sndr of the right.
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(frame[3 * i], (3 * i + 5 * f) % 256) << "frame " << f << " entry " << i;
      ASSERT_EQ(frame[3 * i + 1], (14 * i + 13 * f) % 256) << "frame " << f << " entry " << i;
      ASSERT_EQ(frame[3 * i + 2], (14 * i + 13 * f + 50) % 256) << "frame " << f << " entry " << i;
    }
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        ASSERT_EQ(frame[kPaletteBytes + 256 * y + x], (x + 7 * y + f + 12) % 256) << f << ": " << x << "," << y;
  }
  // At step 3, rows of 86 pixels without the image's padding to 88.
  const std::string stepThree = RenderRaw("x+y*5", "--step 3");
  ASSERT_EQ(stepThree.size(), kPaletteBytes + 86 * 86);
  EXPECT_EQ(static_cast<uint8_t>(stepThree[kPaletteBytes + 86 * 2 + 1]), 3 + 6 * 5);
}

// The last frame of the .raw, coloured through its palette.
std::vector<uint8_t> ColouredLastFrame(const std::string& raw, size_t pixels) {
  const size_t start = raw.size() - kPaletteBytes - pixels;
  std::vector<uint8_t> rgb;
  for (size_t i = 0; i < pixels; ++i) {
    const uint8_t index = raw[start + kPaletteBytes + i];
    for (int c = 0; c < 3; ++c) rgb.push_back(raw[start + 3 * index + c]);
  }
  return rgb;
}

// The .png is the last frame; each frame of the .gif carries its own colours.
// At 60 frames a second, frame 2 would start 1/100 s after frame 1: the GIF
// leaves it out.
TEST(RenderCommand, PngAndGifShowTheRawFrames) {
  const char* text = "p=pal(8,-t*30); rad(x,y)+t";
  const std::string raw = RenderRaw(text, "--frames 4 --step 4");
  const std::string png = TempFilePath("zorva_render.png"), path = TempFilePath("zorva_render.gif");
  ASSERT_EQ(Render(text, "--frames 4 --step 4 -o " + png).exitCode, 0);
  const Png picture = ReadPng(png);
  EXPECT_EQ(picture.width, 64);
  EXPECT_EQ(picture.height, 64);
  EXPECT_TRUE(picture.rgb == ColouredLastFrame(raw, 64 * 64));

  ASSERT_EQ(Render(text, "--frames 4 --step 4 -o " + path).exitCode, 0);
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 3);
  const size_t frameBytes = kPaletteBytes + 64 * 64;
  const int kept[] = {0, 1, 3};
  for (int i = 0; i < 3; ++i) {
    const int f = kept[i];
    const SavedImage& image = gif->SavedImages[i];
    ASSERT_TRUE(image.ImageDesc.ColorMap && image.ImageDesc.ColorMap->ColorCount == 256) << f;
    std::string stored(reinterpret_cast<const char*>(image.ImageDesc.ColorMap->Colors), kPaletteBytes);
    stored.append(reinterpret_cast<const char*>(image.RasterBits), 64 * 64);
    EXPECT_TRUE(stored == raw.substr(f * frameBytes, frameBytes)) << f;
  }
  DGifCloseFile(gif, &error);
}

TEST(RenderCommand, WavFilesFeedTheSound) {
  const std::string silent = TempFilePath("zorva_silent.wav"), loud = TempFilePath("zorva_loud.wav");
  std::vector<int16_t> samples(44100 * 2, 0);
  WriteWavFile(silent, SF_FORMAT_PCM_16, samples);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i * 2654435761u) >> 16);
  WriteWavFile(loud, SF_FORMAT_PCM_16, samples);
  const char* text = "snd(x)+fft(y)";
  const std::string quiet = RenderRaw(text, "--frames 2 --audio silence");
  EXPECT_TRUE(RenderRaw(text, "--frames 2 --wav " + silent) == quiet);
  EXPECT_FALSE(RenderRaw(text, "--frames 2 --wav " + loud) == quiet);
}

}  // namespace
}  // namespace zorva
