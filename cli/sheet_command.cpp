// zorva sheet [--frame N] [--audio A | --wav FILE] [--scale K] -o FILE.png:
// every built-in expression side by side, to see the library at a glance.
// The README's picture of them is drawn so.
#include <cstdio>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "cli/commands.h"
#include "cli/contact_sheet.h"
#include "cli/picture_output.h"
#include "cli/progress.h"
#include "cli/sound_options.h"
#include "frame/frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

constexpr int kSheetColumns = 8;
constexpr int32_t kMostFrames = 100000;

// Frame `shown` of the built-in `index`, fed the sound from frame 0 on, as
// the player would play it. False when it does not build.
bool RenderBuiltin(int index, int shown, const AudioFeed& sound, Frame* frame) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(kBuiltinGlyxes[index], errors) || !glyx.Resize(kAreaSize, kAreaSize, 1, kPeriod)) {
    return false;
  }
  for (int f = 0; f <= shown; ++f) RenderFrame(glyx, sound, f);
  frame->Take(glyx.image);
  return true;
}

int DrawSheet(CommandLine& line) {
  const int shown = line.Number("--frame", 60, 0, kMostFrames);
  const PictureOutput out = ReadPictureOutput(line, {PictureFormat::Png});
  if (!line.error.empty()) return line.UsageError();
  AudioFeed sound;
  int failure = 0;
  if (!LoadSound(line, "music", &sound, &failure)) return failure;
  std::vector<Frame> frames(kBuiltinGlyxCount);
  std::vector<const Frame*> cells;
  Progress progress("zorva sheet: expression", kBuiltinGlyxCount);
  for (int i = 0; i < kBuiltinGlyxCount; ++i) {
    if (!RenderBuiltin(i, shown, sound, &frames[i])) {
      progress.Break();
      std::fprintf(stderr, "zorva sheet: built-in expression %d does not build\n", i);
      return 1;
    }
    cells.push_back(&frames[i]);
    progress.Update(i + 1);
  }
  progress.Finish();
  return WritePicture(out, ContactSheet(cells, kSheetColumns)) ? 0 : CannotWrite(line, out.path);
}

}  // namespace

const Command kSheetCommand = {
    "sheet", "[OPTIONS] -o FILE.png", "draw all built-in expressions side by side",
    "  --frame N    the frame each cell shows (default 60, one second in)\n"
    "  --audio silence|ramp|music  the sound (default music)\n"
    "  --wav FILE   a 16-bit PCM WAV file instead\n"
    "  --scale K    each pixel of the sheet becomes K x K (1 to 8, default 1)\n"
    "Renders each of the 62 built-in expressions from frame 0 on and draws its\n"
    "frame N at half size, 8 a row, each numbered in the library's order from 0.\n",
    {{"--frame", true}, {"--audio", true}, {"--wav", true}, {"--scale", true}, {"-o", true}},
    0,
    DrawSheet,
};

}  // namespace zorva
