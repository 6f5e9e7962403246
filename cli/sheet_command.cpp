// zorva sheet [--frame N] -o FILE.png: every built-in expression side by side,
// to see the library at a glance. The README's picture of them is drawn so.
#include <cstdio>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "cli/commands.h"
#include "cli/contact_sheet.h"
#include "frame/frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

constexpr int kSheetColumns = 8;
constexpr int32_t kMostFrames = 100000;

// Frame `shown` of the built-in `index`, fed the synthesized music from frame
// 0 on, as the player would play it. False when it does not build.
bool RenderBuiltin(int index, int shown, const AudioFeed& music, Frame* frame) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(kBuiltinGlyxes[index], errors) || !glyx.Resize(kAreaSize, kAreaSize, 1, kPeriod)) {
    return false;
  }
  for (int f = 0; f <= shown; ++f) RenderFrame(glyx, music, f);
  frame->Take(glyx.image);
  return true;
}

int DrawSheet(CommandLine& line) {
  const int shown = line.Number("--frame", 60, 0, kMostFrames);
  const std::string out = line.Value("-o", "");
  if (out.empty() && line.error.empty()) line.error = "-o FILE.png is missing";
  if (!line.error.empty()) return line.UsageError();
  AudioFeed music;
  MakeBuiltinFeed("music", &music);
  std::vector<Frame> frames(kBuiltinGlyxCount);
  std::vector<const Frame*> cells;
  for (int i = 0; i < kBuiltinGlyxCount; ++i) {
    if (!RenderBuiltin(i, shown, music, &frames[i])) {
      std::fprintf(stderr, "zorva sheet: built-in expression %d does not build\n", i);
      return 1;
    }
    cells.push_back(&frames[i]);
  }
  if (WriteContactSheet(out, cells, kSheetColumns)) return 0;
  std::fprintf(stderr, "zorva sheet: cannot write %s\n", out.c_str());
  return 1;
}

}  // namespace

const Command kSheetCommand = {
    "sheet", "[--frame N] -o FILE.png", "draw all built-in expressions side by side",
    "Renders each of the 62 built-in expressions with the synthesized music and\n"
    "draws its frame N (default 60, one second in) at half size, 8 a row, each\n"
    "numbered in the library's order from 0.\n",
    {{"--frame", true}, {"-o", true}},
    0,
    DrawSheet,
};

}  // namespace zorva
