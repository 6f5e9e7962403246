// zorva render, run as a program: the .raw layout against the reference
// evaluator fed the same sound, and the .png and .gif pictures of it.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <stb/stb_image.h>  // implemented in table_commands_test.cpp

#include <cstring>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "codegen/reference_evaluator.h"
#include "codegen/sound_frame.h"
#include "image/hsl.h"
#include "lang/statement_roles.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

constexpr size_t kPaletteBytes = 768;

struct Outcome {
  int exitCode;
  std::string err;
};

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

Outcome Render(const std::string& text, const std::string& args) {
  const ZorvaRun run = RunZorva("render '" + text + "' " + args);
  return {run.exitCode, run.err};
}

std::string RenderRaw(const std::string& text, const std::string& args) {
  const std::string out = TempPath("zorva_render.raw");
  std::remove(out.c_str());
  const Outcome run = Render(text, args + " -o " + out);
  EXPECT_EQ(run.exitCode, 0) << text << ": " << run.err;
  return ReadFileBytes(out);
}

// What the tool should write for one frame, computed by the reference
// evaluator instead of the generated code: colours, then rows from the top.
class Oracle {
 public:
  Oracle(const char* text, int step) : step(step) {
    ErrorRecord errors;
    EXPECT_TRUE(glyx.CreateFromText(text, errors));
    columns = (256 + step - 1) / step;
  }

  std::string Frame(int t) {
    uint8_t channels[3][256];
    for (int c = 0; c < 3; ++c) {
      const Statement& statement = glyx.palette ? *glyx.palette : *glyx.channels[c];
      Evaluate(statement, channels[c], 256, 1, t, c);
    }
    std::string frame;
    for (int i = 0; i < 256; ++i) {
      Rgb colour{channels[0][i], channels[1][i], channels[2][i]};
      if (glyx.hslMode) colour = HslToRgb(colour.red, colour.green, colour.blue);
      frame += {static_cast<char>(colour.red), static_cast<char>(colour.green), static_cast<char>(colour.blue)};
    }
    const int stride = (columns + 3) / 4 * 4;
    std::vector<uint8_t> stored(static_cast<size_t>(stride) * columns);
    Evaluate(*glyx.pixel, stored.data(), columns * step, 0, t, 0);
    for (int row = columns - 1; row >= 0; --row)  // stored bottom-up
      frame.append(reinterpret_cast<const char*>(&stored[static_cast<size_t>(row) * stride]), columns);
    return frame;
  }

  GlyxStatements<Statement> glyx;

 private:
  // Height 0 means a square pass of `width`.
  void Evaluate(const Statement& statement, uint8_t* out, int width, int height, int t, int channel) {
    const bool palettePass = height != 0;
    const PassSetup setup{out, width, palettePass ? 1 : width, palettePass ? 1 : step, t, 256, 3, 4, channel, {}};
    RenderContext context;
    statement.SetupContext(context, setup);
    EvaluateRows(statement, context);
  }

  int step;
  int columns;
};

std::string ExpectedFrames(const char* text, int frames, const char* audio, int step = 1) {
  AudioFeed feed;
  EXPECT_TRUE(MakeBuiltinFeed(audio, &feed));
  Oracle oracle(text, step);
  SoundRows rows;
  std::string all;
  for (int f = 0; f < frames; ++f) {
    feed.Fill(f, 60, rows);
    CopySoundFrame(rows.waveform, rows.channels, rows.spectrum[0]);
    all += oracle.Frame(f);
  }
  return all;
}

TEST(RenderCommand, RawFramesAreWhatTheEvaluatorComputes) {
  const char* const texts[] = {
      "p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%51)",
      "r=snd(x); g=fft(x)+t; b=vol(0)*y; sndl(x/2)^2+sndr(y)-fft(y)*t+xm*ym",
      "h=x+t; s=200; l=fft(x); theta(x-xm,y-ym)*t",
  };
  for (const char* text : texts) {
    const std::string raw = RenderRaw(text, "--frames 3 --audio ramp --xm 3 --ym 4");
    ASSERT_EQ(raw.size(), 3 * (kPaletteBytes + 256 * 256)) << text;
    EXPECT_TRUE(raw == ExpectedFrames(text, 3, "ramp")) << text;
  }
  const char* music = "x*fft(y)+snd(x)*t";
  EXPECT_TRUE(RenderRaw(music, "--frames 2 --audio music --xm 3 --ym 4") == ExpectedFrames(music, 2, "music"));
}

TEST(RenderCommand, StepThreeRendersEightySixSquareWithXOf258) {
  const std::string raw = RenderRaw("X+Y*256+x%3", "--step 3");
  ASSERT_EQ(raw.size(), kPaletteBytes + 86 * 86);
  for (size_t i = kPaletteBytes; i < raw.size(); ++i) ASSERT_EQ(static_cast<uint8_t>(raw[i]), 2) << i;
  const char* text = "x+y*3+t";
  EXPECT_TRUE(RenderRaw(text, "--step 3 --frames 2 --audio silence --xm 3 --ym 4") ==
              ExpectedFrames(text, 2, "silence", 3));
}

TEST(RenderCommand, DefaultsShowAGreyRamp) {
  for (const char* text : {"", "[x,y]"}) {
    const std::string raw = RenderRaw(text, "");
    ASSERT_EQ(raw.size(), kPaletteBytes + 256 * 256) << text;
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(static_cast<uint8_t>(raw[3 * i]), i) << text;
      ASSERT_EQ(static_cast<uint8_t>(raw[3 * i + 2]), i) << text;
    }
  }
  EXPECT_EQ(static_cast<uint8_t>(RenderRaw("", "")[kPaletteBytes + 200]), 200);
}

TEST(RenderCommand, FailuresAndUsage) {
  const Outcome mixed = Render("r=x; h=y", "-o " + TempPath("zorva_mixed.raw"));
  EXPECT_EQ(mixed.exitCode, 1);
  EXPECT_EQ(mixed.err, "You cannot mix RGB with HSL color models.\n");
  EXPECT_EQ(Render("x", "").exitCode, 2);
  EXPECT_EQ(Render("x", "--frames 0 -o " + TempPath("zorva.raw")).exitCode, 2);
  EXPECT_EQ(Render("x", "--audio loud -o " + TempPath("zorva.raw")).exitCode, 2);
  EXPECT_EQ(Render("x", "-o " + TempPath("zorva.bmp")).exitCode, 1);
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

TEST(RenderCommand, PngIsTheLastFrameColoured) {
  const char* text = "p=pal(4,t*9); x*y/(t+1)";
  const std::string raw = RenderRaw(text, "--frames 3 --step 2");
  const std::string png = TempPath("zorva_render.png");
  ASSERT_EQ(Render(text, "--frames 3 --step 2 -o " + png).exitCode, 0);
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(png.c_str(), &width, &height, &channels, 3);
  ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 128);
  EXPECT_TRUE(std::vector<uint8_t>(pixels, pixels + 128 * 128 * 3) == ColouredLastFrame(raw, 128 * 128));
  stbi_image_free(pixels);
}

TEST(RenderCommand, GifFramesCarryTheirOwnColours) {
  const char* text = "p=pal(8,-t*30); rad(x,y)+t";
  const std::string raw = RenderRaw(text, "--frames 4 --step 4");
  const std::string path = TempPath("zorva_render.gif");
  ASSERT_EQ(Render(text, "--frames 4 --step 4 -o " + path).exitCode, 0);
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 4);
  const size_t frameBytes = kPaletteBytes + 64 * 64;
  for (int f = 0; f < 4; ++f) {
    const SavedImage& image = gif->SavedImages[f];
    ASSERT_NE(image.ImageDesc.ColorMap, nullptr);
    ASSERT_EQ(image.ImageDesc.ColorMap->ColorCount, 256);
    const char* expected = raw.data() + f * frameBytes;
    for (int i = 0; i < 256; ++i) {
      const GifColorType& colour = image.ImageDesc.ColorMap->Colors[i];
      ASSERT_EQ(colour.Red, static_cast<uint8_t>(expected[3 * i])) << f;
      ASSERT_EQ(colour.Blue, static_cast<uint8_t>(expected[3 * i + 2])) << f;
    }
    EXPECT_EQ(std::memcmp(image.RasterBits, expected + kPaletteBytes, 64 * 64), 0) << f;
  }
  DGifCloseFile(gif, &error);
}

void WriteWav(const std::string& path, int format, const std::vector<int16_t>& samples) {
  SF_INFO info = {};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
  sf_close(file);
}

TEST(RenderCommand, WavFilesFeedTheSound) {
  const std::string silent = TempPath("zorva_silent.wav"), loud = TempPath("zorva_loud.wav");
  std::vector<int16_t> samples(44100 * 2, 0);
  WriteWav(silent, SF_FORMAT_PCM_16, samples);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i * 2654435761u) >> 16);
  WriteWav(loud, SF_FORMAT_PCM_16, samples);
  const char* text = "snd(x)+fft(y)";
  const std::string quiet = RenderRaw(text, "--frames 2 --audio silence");
  EXPECT_TRUE(RenderRaw(text, "--frames 2 --wav " + silent) == quiet);
  EXPECT_FALSE(RenderRaw(text, "--frames 2 --wav " + loud) == quiet);
  const std::string eightBit = TempPath("zorva_8bit.wav");
  WriteWav(eightBit, SF_FORMAT_PCM_U8, samples);
  const Outcome refused = Render(text, "--wav " + eightBit + " -o " + TempPath("zorva.raw"));
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("not 16-bit PCM"), std::string::npos);
}

}  // namespace
}  // namespace zorva
