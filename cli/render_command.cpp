// zorva render TEXT|- [--frames N] [--step S] [--xm N] [--ym N]
//   [--audio silence|ramp|music] [--wav FILE] -o OUT
// Renders frames the way the plug-in does, with the same sound feeds as the
// stand-in player, into OUT: .raw (every frame), .png (the last), .gif (all).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "audio/audio_feed.h"
#include "audio/wav_reader.h"
#include "cli/commands.h"
#include "cli/gif_file.h"
#include "cli/png_file.h"
#include "frame/frame.h"
#include "image/glyx_image.h"

namespace zorva {
namespace {

constexpr int kGifDelay = 2;  // 1/100 s: the nearest to one frame at 60 fps
constexpr int32_t kMostFrames = 1000000000;
constexpr int32_t kFarthest = 1000000000;  // the largest mouse coordinate

struct RenderOptions {
  std::string text;
  int frames = 1;
  int step = 1;
  int xm = 0;
  int ym = 0;
  std::string audio;
  std::string wav;
  std::string out;
};

// False when a value is out of range; the line then holds the error.
bool ReadOptions(CommandLine& line, RenderOptions* options) {
  options->frames = line.Number("--frames", 1, 1, kMostFrames);
  options->step = line.Number("--step", 1, 1, kAreaSize);
  options->xm = line.Number("--xm", 0, -kFarthest, kFarthest);
  options->ym = line.Number("--ym", 0, -kFarthest, kFarthest);
  options->audio = line.Value("--audio", "music");
  options->wav = line.Value("--wav", "");
  options->out = line.Value("-o", "");
  if (options->out.empty() && line.error.empty()) line.error = "-o OUT is missing";
  return line.error.empty();
}

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t length = std::strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

// False with the reason in *error.
bool LoadFeed(const RenderOptions& options, AudioFeed* feed, std::string* error) {
  if (!options.wav.empty()) {
    feed->kind = FeedKind::Clip;
    return ReadWavFile(options.wav, &feed->clip, error);
  }
  if (MakeBuiltinFeed(options.audio, feed)) return true;
  *error = "unknown audio feed '" + options.audio + "'";
  return false;
}

// Where the frames go, by the output's extension.
class FrameSink {
 public:
  bool Open(const std::string& path, int width, int height) {
    this->path = path;
    if (EndsWith(path, ".raw")) {
      raw = std::fopen(path.c_str(), "wb");
      return raw != nullptr;
    }
    if (EndsWith(path, ".gif")) {
      gif = std::make_unique<GifFile>();
      return gif->Open(path, width, height, kGifDelay);
    }
    return EndsWith(path, ".png");
  }

  bool Add(const Frame& frame) {
    if (raw) {
      bytes.clear();
      frame.AppendRaw(&bytes);
      return std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
    }
    if (gif) return gif->AddFrame(frame.rgb, frame.pixels.data());
    return true;
  }

  // A PNG holds only the last frame.
  bool Close(const Frame& last) {
    if (raw) return std::fclose(std::exchange(raw, nullptr)) == 0;
    if (gif) return gif->Close();
    return WritePngFile(path.c_str(), last.width, last.height, last.Coloured().data());
  }

  ~FrameSink() {
    if (raw) std::fclose(raw);
  }

 private:
  std::string path;
  FILE* raw = nullptr;
  std::vector<uint8_t> bytes;  // one frame of the .raw file
  std::unique_ptr<GifFile> gif;
};

// Shows how far a render is once it has taken longer than a second.
class Progress {
 public:
  void After(int done, int total) {
    const auto now = std::chrono::steady_clock::now();
    if (now - started < std::chrono::seconds(1) || now - shown < std::chrono::milliseconds(200)) return;
    std::fprintf(stderr, "\rzorva render: frame %d of %d", done, total);
    shown = now;
    visible = true;
  }
  void Finish() {
    if (visible) std::fputc('\n', stderr);
    visible = false;
  }

 private:
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown = started;
  bool visible = false;
};

int Render(const RenderOptions& options, const AudioFeed& feed) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(options.text.c_str(), errors)) return BuildError(MessageOf(errors));
  if (!glyx.Resize(kAreaSize, kAreaSize, options.step, kPeriod)) {
    std::fputs("zorva render: out of memory\n", stderr);
    return 1;
  }
  FrameSink sink;
  if (!sink.Open(options.out, glyx.image.width, glyx.image.height)) {
    std::fprintf(stderr, "zorva render: cannot write %s (OUT ends in .raw, .png or .gif)\n", options.out.c_str());
    return 1;
  }
  Frame frame;
  Progress progress;
  bool written = true;
  for (int f = 0; f < options.frames && written; ++f) {
    // A faulting frame is kept as the plug-in shows it, and said once.
    if (!RenderFrame(glyx, feed, f, options.xm, options.ym)) {
      progress.Finish();
      std::fprintf(stderr, "frame %d: the expression faulted\n", f + 1);
    }
    frame.Take(glyx.image);
    written = sink.Add(frame);
    progress.After(f + 1, options.frames);
  }
  progress.Finish();
  if (sink.Close(frame) && written) return 0;
  std::fprintf(stderr, "zorva render: writing %s failed\n", options.out.c_str());
  return 1;
}

int RenderFromLine(CommandLine& line) {
  RenderOptions options;
  if (!ReadOptions(line, &options)) return line.UsageError();
  AudioFeed feed;
  std::string error;
  if (!LoadFeed(options, &feed, &error)) return line.UsageError(error);
  options.text = line.Text(0);
  return Render(options, feed);
}

}  // namespace

const Command kRenderCommand = {
    "render", "TEXT|- [OPTIONS] -o OUT.raw|OUT.png|OUT.gif", "render frames the way the plug-in does",
    "  --frames N   frames to render (default 1), at 60 frames a second\n"
    "  --step S     evaluate every S-th point of the 256 x 256 area (default 1)\n"
    "  --xm N, --ym N  the mouse position (default 0, 0)\n"
    "  --audio silence|ramp|music  the built-in sound (default music)\n"
    "  --wav FILE   a 16-bit PCM WAV file instead\n"
    "  -o OUT       .raw: every frame, 768 colour bytes then the rows from the top;\n"
    "               .png: the last frame; .gif: every frame with its own colours\n"
    "A frame in which the expression faults is written as the plug-in shows it\n"
    "and named on standard error (\"frame N: the expression faulted\", N from 1).\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--frames", true}, {"--step", true}, {"--xm", true}, {"--ym", true},
     {"--audio", true}, {"--wav", true}, {"-o", true}},
    1, RenderFromLine,
};

}  // namespace zorva
