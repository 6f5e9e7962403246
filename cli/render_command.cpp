// zorva render TEXT|- [--frames N] [--step S] [--xm N] [--ym N]
//   [--audio silence|ramp|music] [--wav FILE] [--scale K] -o OUT
// Renders frames the way the plug-in does, with the same sound feeds as the
// stand-in player, into OUT: .raw (every frame), .png (the last), .gif (all).
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "audio/audio_feed.h"
#include "cli/commands.h"
#include "cli/gif_file.h"
#include "cli/picture_output.h"
#include "cli/progress.h"
#include "cli/sound_options.h"
#include "frame/frame.h"
#include "image/glyx_image.h"

namespace zorva {
namespace {

constexpr int32_t kMostFrames = 1000000000;
constexpr int32_t kFarthest = 1000000000;  // the largest mouse coordinate

struct RenderOptions {
  std::string text;
  int frames = 1;
  int step = 1;
  int xm = 0;
  int ym = 0;
  PictureOutput out;
};

// False when a value is out of range; the line then holds the error.
bool ReadOptions(CommandLine& line, RenderOptions* options) {
  options->frames = line.Number("--frames", 1, 1, kMostFrames);
  options->step = line.Number("--step", 1, 1, kAreaSize);
  options->xm = line.Number("--xm", 0, -kFarthest, kFarthest);
  options->ym = line.Number("--ym", 0, -kFarthest, kFarthest);
  options->out = ReadPictureOutput(line, {PictureFormat::Png, PictureFormat::Gif, PictureFormat::Raw});
  return line.error.empty();
}

// Where the frames go, by the output's format. Each step is false with errno
// saying why it failed.
class FrameSink {
 public:
  explicit FrameSink(const PictureOutput& out) : out(out) {}

  bool Open(int width, int height) {
    if (out.format == PictureFormat::Raw) {
      raw = std::fopen(out.path.c_str(), "wb");
      return raw != nullptr;
    }
    if (out.format == PictureFormat::Gif) {
      gif = std::make_unique<GifFile>();
      return gif->Open(out.path, width * out.scale, height * out.scale, kFramesPerSecond);
    }
    return true;
  }

  bool Add(const Frame& frame) {
    if (raw) {
      bytes.clear();
      frame.AppendRaw(&bytes);
      return std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
    }
    if (gif && out.scale == 1) return gif->AddFrame(frame.rgb, frame.pixels.data());
    if (gif) return gif->AddFrame(frame.rgb, Magnified(frame.pixels.data(), frame.width, frame.height, 1, out.scale).data());
    return true;
  }

  // A PNG holds only the last frame.
  bool Close(const Frame& last) {
    if (raw) return std::fclose(std::exchange(raw, nullptr)) == 0;
    if (gif) return gif->Close();
    return WritePicture(out, {last.width, last.height, last.Coloured()});
  }

  ~FrameSink() {
    if (raw) std::fclose(raw);
  }

 private:
  const PictureOutput& out;
  FILE* raw = nullptr;
  std::vector<uint8_t> bytes;  // one frame of the .raw file
  std::unique_ptr<GifFile> gif;
};

int Render(const CommandLine& line, const RenderOptions& options, const AudioFeed& feed) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(options.text.c_str(), errors)) return BuildError(MessageOf(errors));
  if (!glyx.Resize(kAreaSize, kAreaSize, options.step, kPeriod)) {
    std::fputs("zorva render: out of memory\n", stderr);
    return 1;
  }
  FrameSink sink(options.out);
  if (!sink.Open(glyx.image.width, glyx.image.height)) return CannotWrite(line, options.out.path);
  Frame frame;
  Progress progress("zorva render: frame", options.frames);
  for (int f = 0; f < options.frames; ++f) {
    // A faulting frame is kept as the plug-in shows it, and said once.
    if (!RenderFrame(glyx, feed, f, options.xm, options.ym)) {
      progress.Break();
      std::fprintf(stderr, "frame %d: the expression faulted\n", f + 1);
    }
    frame.Take(glyx.image);
    if (!sink.Add(frame)) return CannotWrite(line, options.out.path);
    progress.Update(f + 1);
  }
  progress.Finish();
  return sink.Close(frame) ? 0 : CannotWrite(line, options.out.path);
}

int RenderFromLine(CommandLine& line) {
  RenderOptions options;
  if (!ReadOptions(line, &options)) return line.UsageError();
  AudioFeed feed;
  int failure = 0;
  if (!LoadSound(line, "music", &feed, &failure)) return failure;
  options.text = line.Text(0);
  return Render(line, options, feed);
}

}  // namespace

const Command kRenderCommand = {
    "render", "TEXT|- [OPTIONS] -o OUT.png|OUT.gif|OUT.raw", "render frames the way the plug-in does",
    "  --frames N   frames to render (default 1), at 60 frames a second\n"
    "  --step S     evaluate every S-th point of the 256 x 256 area (default 1)\n"
    "  --xm N, --ym N  the mouse position (default 0, 0)\n"
    "  --audio silence|ramp|music  the built-in sound (default music)\n"
    "  --wav FILE   a 16-bit PCM WAV file instead\n"
    "  --scale K    each pixel of a .png or .gif becomes K x K (1 to 8, default 1)\n"
    "  -o OUT       by its extension, in any letter case:\n"
    "               .png: the last frame; .gif: every frame with its own colours,\n"
    "               in the music's time (2 of 3 frames, shown 2 and 3 hundredths);\n"
    "               .raw: every frame, 768 colour bytes then the rows from the top\n"
    "A frame in which the expression faults is written as the plug-in shows it\n"
    "and named on standard error (\"frame N: the expression faulted\", N from 1).\n"
    "Renders longer than a second show their progress on standard error.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--frames", true}, {"--step", true}, {"--xm", true}, {"--ym", true},
     {"--audio", true}, {"--wav", true}, {"--scale", true}, {"-o", true}},
    1, RenderFromLine,
};

}  // namespace zorva
