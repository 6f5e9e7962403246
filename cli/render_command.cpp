// zorva render TEXT [--frames N] [--step S] [--xm N] [--ym N]
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

#include "app/sound_copy.h"
#include "cli/commands.h"
#include "cli/gif_file.h"
#include "cli/png_file.h"
#include "image/glyx_image.h"
#include "player/audio_feed.h"
#include "player/wav_reader.h"

namespace zorva {
namespace {

constexpr int kFramesPerSecond = 60;  // the player's default pace
constexpr int kAreaSize = 256;        // the main window's client area
constexpr int kPeriod = 256;
constexpr int kGifDelay = 2;  // 1/100 s: the nearest to one frame at 60 fps
constexpr char kUsage[] =
    "usage: zorva render TEXT [--frames N] [--step S] [--xm N] [--ym N] "
    "[--audio silence|ramp|music] [--wav FILE] -o OUT.raw|OUT.png|OUT.gif\n";

struct RenderOptions {
  std::string text;
  int frames = 1;
  int step = 1;
  int xm = 0;
  int ym = 0;
  std::string audio = "music";
  std::string wav;
  std::string out;
};

bool ParseNumber(const char* text, int low, int* value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < low || number > 1000000000L) return false;
  *value = static_cast<int>(number);
  return true;
}

bool ParseOption(const std::string& name, const char* value, RenderOptions* options) {
  if (name == "--frames") return ParseNumber(value, 1, &options->frames);
  if (name == "--step") return ParseNumber(value, 1, &options->step) && options->step <= kAreaSize;
  if (name == "--xm") return ParseNumber(value, -1000000000, &options->xm);
  if (name == "--ym") return ParseNumber(value, -1000000000, &options->ym);
  if (name == "--audio") options->audio = value;
  else if (name == "--wav") options->wav = value;
  else if (name == "-o") options->out = value;
  else return false;
  return true;
}

bool ParseOptions(int argc, char** args, RenderOptions* options) {
  bool haveText = false;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      if (i + 1 >= argc || !ParseOption(arg, args[i + 1], options)) return false;
      ++i;
    } else if (!haveText) {
      options->text = arg;
      haveText = true;
    } else {
      return false;
    }
  }
  return haveText && !options->out.empty();
}

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t length = std::strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

bool LoadFeed(const RenderOptions& options, AudioFeed* feed) {
  if (options.wav.empty()) {
    if (MakeBuiltinFeed(options.audio, feed)) return true;
    std::fprintf(stderr, "zorva render: unknown audio feed '%s'\n", options.audio.c_str());
    return false;
  }
  std::string error;
  feed->kind = FeedKind::Clip;
  if (ReadWavFile(options.wav, &feed->clip, &error)) return true;
  std::fprintf(stderr, "zorva render: %s\n", error.c_str());
  return false;
}

// One frame as the files store it: the 256 colours as red, green, blue, and
// the rows from the top (y = 0) down without padding.
struct Frame {
  int width = 0;
  int height = 0;
  uint8_t rgb[768] = {};
  std::vector<uint8_t> pixels;

  void Take(const PixelImage& image) {
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

  std::vector<uint8_t> Coloured() const {
    std::vector<uint8_t> coloured(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) std::memcpy(&coloured[3 * i], &rgb[3 * pixels[i]], 3);
    return coloured;
  }
};

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
    if (raw) return std::fwrite(frame.rgb, 1, 768, raw) == 768 &&
                    std::fwrite(frame.pixels.data(), 1, frame.pixels.size(), raw) == frame.pixels.size();
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
  }

 private:
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown = started;
  bool visible = false;
};

int Render(const RenderOptions& options, const AudioFeed& feed) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(options.text.c_str(), errors)) {
    std::fprintf(stderr, "%s\n", MessageOf(errors));
    return 1;
  }
  if (!glyx.Resize(kAreaSize, kAreaSize, options.step, kPeriod)) {
    std::fputs("zorva render: out of memory\n", stderr);
    return 1;
  }
  FrameSink sink;
  if (!sink.Open(options.out, glyx.image.width, glyx.image.height)) {
    std::fprintf(stderr, "zorva render: cannot write %s (OUT ends in .raw, .png or .gif)\n", options.out.c_str());
    return 1;
  }
  winampVisModule record = {};
  Frame frame;
  Progress progress;
  bool written = true;
  for (int f = 0; f < options.frames && written; ++f) {
    feed.Fill(f, kFramesPerSecond, record);
    CopySoundFrame(record);
    glyx.Render(options.xm, options.ym);
    frame.Take(glyx.image);
    written = sink.Add(frame);
    progress.After(f + 1, options.frames);
  }
  progress.Finish();
  if (sink.Close(frame) && written) return 0;
  std::fprintf(stderr, "zorva render: writing %s failed\n", options.out.c_str());
  return 1;
}

}  // namespace

int RenderCommand(int argc, char** args) {
  RenderOptions options;
  if (!ParseOptions(argc, args, &options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  AudioFeed feed;
  if (!LoadFeed(options, &feed)) return 2;
  return Render(options, feed);
}

}  // namespace zorva
