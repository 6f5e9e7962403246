// zorva evolve TEXT|- [--seed S] [--children N] [--frame F] [--audio A |
// --wav FILE] [--scale K] -o SHEET.png: the offline form of pressing Space
// many times from the same parent. Each child is the parent mutated once;
// children that repeat a text, cost too much or show nothing are drawn again.
// The sheet shows the parent and the children side by side, SHEET.txt lists
// their texts and SHEET.culled.txt the culled ones.
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "audio/audio_feed.h"
#include "cli/commands.h"
#include "cli/contact_sheet.h"
#include "cli/cull.h"
#include "cli/picture_output.h"
#include "cli/progress.h"
#include "cli/sound_options.h"
#include "codegen/random.h"
#include "frame/frame.h"
#include "image/glyx_image.h"

namespace zorva {
namespace {

constexpr int kSheetColumns = 4;
constexpr int kDrawsPerChild = 20;
constexpr int32_t kLargestSeed = 2147483647;
constexpr int32_t kMostChildren = 1000;
constexpr int32_t kMostFrames = 100000;

struct EvolveOptions {
  std::string text;
  uint32_t seed;
  int children;
  int frame;  // the one the sheet shows
  AudioFeed sound;
  PictureOutput sheet;
};

// One expression of the sheet: its text, its code and what it shows.
struct Look {
  std::string text;
  size_t codeBytes = 0;
  bool blank = true;  // the first, middle and shown frames are each a single colour
  Frame shown;
};

size_t CodeBytes(const GlyxImage& glyx) {
  size_t bytes = 0;
  const GlyxStatements<Statement>& statements = glyx.statements;
  const auto add = [&](const std::unique_ptr<Statement>& statement) {
    if (statement && statement->compiled && statement->compiled->code) bytes += statement->compiled->code->size;
  };
  add(statements.palette);
  if (!statements.palette) {
    for (const auto& channel : statements.channels) add(channel);
  }
  add(statements.pixel);
  return bytes;
}

Look Describe(const GlyxImage& glyx) { return {glyx.ExpressionString("; "), CodeBytes(glyx), true, {}}; }

// Frames 0 to F at step 1, as `zorva render` renders them. The generator
// starts at 1 for them, as in a fresh zorva render, and is put back
// afterwards: rendering takes no draw from mutation.
void Watch(GlyxImage& glyx, const EvolveOptions& options, Look* look) {
  const uint32_t mutationState = RandomState();
  SeedRandom(1);
  glyx.Resize(kAreaSize, kAreaSize, 1, kPeriod);
  for (int f = 0; f <= options.frame; ++f) {
    RenderFrame(glyx, options.sound, f);
    if (f == 0 || f == options.frame / 2 || f == options.frame) {
      look->shown.Take(glyx.image);
      look->blank = look->blank && look->shown.SingleColour();
    }
  }
  SeedRandom(mutationState);
}

struct Brood {
  Look parent;
  std::vector<Look> children;
  std::vector<std::string> culled;  // text, tab, reason
};

// Draws children from the parent until `wanted` stand or 20 per child have
// been drawn.
Brood Breed(const EvolveOptions& options, GlyxImage& parent) {
  Brood brood;
  brood.parent = Describe(parent);
  Watch(parent, options, &brood.parent);
  std::unordered_set<std::string> seen{brood.parent.text};
  Progress progress("zorva evolve: child", options.children);
  ErrorRecord errors;
  SeedRandom(options.seed);
  const int most = kDrawsPerChild * options.children;
  for (int draw = 0; draw < most && static_cast<int>(brood.children.size()) < options.children; ++draw) {
    GlyxImage child;
    child.CreateFromText(options.text.c_str(), errors);
    child.Mutate(1);
    Look look = Describe(child);
    const char* reason = CullBeforeRendering(look.text, look.codeBytes, brood.parent.codeBytes, seen);
    seen.insert(look.text);
    if (reason == nullptr) {
      Watch(child, options, &look);
      if (look.blank) reason = "blank";
    }
    if (reason != nullptr) {
      brood.culled.push_back(look.text + "\t" + reason);
    } else {
      brood.children.push_back(std::move(look));
      progress.Update(static_cast<int>(brood.children.size()));
    }
  }
  progress.Finish();
  return brood;
}

// False with errno saying why.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = true;
  for (const std::string& line : lines) written = std::fprintf(file, "%s\n", line.c_str()) >= 0 && written;
  return std::fclose(file) == 0 && written;
}

int WriteBrood(const CommandLine& line, const EvolveOptions& options, const Brood& brood) {
  std::vector<const Frame*> cells{&brood.parent.shown};
  std::vector<std::string> texts{brood.parent.text};
  for (const Look& child : brood.children) {
    cells.push_back(&child.shown);
    texts.push_back(child.text);
  }
  const std::string stem = PathStem(options.sheet.path);
  if (!WritePicture(options.sheet, ContactSheet(cells, kSheetColumns))) return CannotWrite(line, options.sheet.path);
  if (!WriteLines(stem + ".txt", texts)) return CannotWrite(line, stem + ".txt");
  if (!WriteLines(stem + ".culled.txt", brood.culled)) return CannotWrite(line, stem + ".culled.txt");
  return 0;
}

// False with a usage error in the line, or after saying why the sound cannot
// be had (*failure the exit code).
bool ReadOptions(CommandLine& line, EvolveOptions* options, int* failure) {
  options->seed = static_cast<uint32_t>(line.Number("--seed", 1, 0, kLargestSeed));
  options->children = line.Number("--children", 15, 1, kMostChildren);
  options->frame = line.Number("--frame", 30, 0, kMostFrames);
  options->sheet = ReadPictureOutput(line, {PictureFormat::Png});
  if (!line.error.empty()) {
    *failure = line.UsageError();
    return false;
  }
  return LoadSound(line, "ramp", &options->sound, failure);
}

int Evolve(CommandLine& line) {
  EvolveOptions options;
  int failure = 0;
  if (!ReadOptions(line, &options, &failure)) return failure;
  options.text = line.Text(0);
  GlyxImage parent;
  ErrorRecord errors;
  if (!parent.CreateFromText(options.text.c_str(), errors)) return BuildError(MessageOf(errors));
  const Brood brood = Breed(options, parent);
  if (const int written = WriteBrood(line, options, brood)) return written;
  if (static_cast<int>(brood.children.size()) == options.children) return 0;
  std::fprintf(stderr, "zorva evolve: %zu of %d children stood after %d draws\n", brood.children.size(),
               options.children, kDrawsPerChild * options.children);
  return 1;
}

}  // namespace

const Command kEvolveCommand = {
    "evolve", "TEXT|- [OPTIONS] -o SHEET.png", "breed N children of an expression; draw them side by side",
    "  --seed S      the random generator's start (default 1, at most 2147483647):\n"
    "                the same TEXT and S give the same sheet everywhere\n"
    "  --children N  how many children (default 15)\n"
    "  --frame F     the frame the sheet shows (default 30)\n"
    "  --audio silence|ramp|music  the sound (default ramp)\n"
    "  --wav FILE    a 16-bit PCM WAV file instead\n"
    "  --scale K     each pixel of the sheet becomes K x K (1 to 8, default 1)\n"
    "Each child is TEXT mutated once, as Space does. A child whose text is the\n"
    "parent's or an earlier child's (repeat), whose code is more than 3 times the\n"
    "parent's (costly), or whose frames 0, F/2 and F are each one colour (blank)\n"
    "is culled and drawn again, at most 20 x N draws in all.\n"
    "SHEET.png shows frame F at half size, 4 cells a row, each with its number:\n"
    "0 the parent, then the children. SHEET.txt has one text a line (line 1 the\n"
    "parent, line k + 1 child k), so you breed on with\n"
    "  zorva evolve \"$(sed -n 4p SHEET.txt)\" -o next.png\n"
    "SHEET.culled.txt has a line for each culled child: its text, a tab, why.\n"
    "Exits 1 with a line saying how many stood when fewer than N did.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--seed", true}, {"--children", true}, {"--frame", true}, {"--audio", true}, {"--wav", true},
     {"--scale", true}, {"-o", true}},
    1,
    Evolve,
};

}  // namespace zorva
