// zorva evolve TEXT|- [--seed S] [--children N] -o SHEET.png: the offline
// form of pressing Space many times from the same parent. Each child is the
// parent mutated once; children that show nothing or cost too much are
// drawn again. The sheet shows the parent and the children side by side,
// SHEET.txt lists their texts and SHEET.culled.txt the culled ones.
#include <cstdio>
#include <string>
#include <vector>

#include "audio/audio_feed.h"
#include "cli/commands.h"
#include "cli/contact_sheet.h"
#include "codegen/random.h"
#include "frame/frame.h"
#include "image/glyx_image.h"

namespace zorva {
namespace {

constexpr int kSheetColumns = 4;
constexpr int kShownFrame = 30;
constexpr int kBlankFrames[] = {0, 15, 30};
constexpr int kDrawsPerChild = 20;
constexpr size_t kCostlyFactor = 3;
constexpr int32_t kLargestSeed = 2147483647;
constexpr int32_t kMostChildren = 1000;

struct EvolveOptions {
  std::string text;
  uint32_t seed;
  int children;
  std::string sheet;  // ends in .png
  std::string stem;   // the sheet's path without .png
};

// One expression of the sheet: its text, its code and what it shows.
struct Look {
  std::string text;
  size_t codeBytes = 0;
  bool blank = true;  // frames 0, 15 and 30 are each a single colour
  Frame shown;        // frame 30
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

bool IsBlankFrame(int frame) {
  for (int blank : kBlankFrames) {
    if (frame == blank) return true;
  }
  return false;
}

// Frames 0 to 30 at step 1 with the ramp feed, as `zorva render --audio ramp`
// renders them. The generator starts at 1 for them, as in a fresh zorva
// render, and is put back afterwards: rendering takes no draw from mutation.
Look Watch(GlyxImage& glyx) {
  Look look;
  look.text = glyx.ExpressionString("; ");
  look.codeBytes = CodeBytes(glyx);
  AudioFeed feed;
  MakeBuiltinFeed("ramp", &feed);
  const uint32_t mutationState = RandomState();
  SeedRandom(1);
  glyx.Resize(kAreaSize, kAreaSize, 1, kPeriod);
  Frame frame;
  bool blank = true;
  for (int f = 0; f <= kShownFrame; ++f) {
    RenderFrame(glyx, feed, f);
    frame.Take(glyx.image);
    if (IsBlankFrame(f)) blank = blank && frame.SingleColour();
  }
  SeedRandom(mutationState);
  look.blank = blank;
  look.shown = frame;
  return look;
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
  brood.parent = Watch(parent);
  ErrorRecord errors;
  SeedRandom(options.seed);
  const int most = kDrawsPerChild * options.children;
  for (int draw = 0; draw < most && static_cast<int>(brood.children.size()) < options.children; ++draw) {
    GlyxImage child;
    child.CreateFromText(options.text.c_str(), errors);
    child.Mutate(1);
    Look look = Watch(child);
    if (look.codeBytes > kCostlyFactor * brood.parent.codeBytes) {
      brood.culled.push_back(look.text + "\tcostly");
    } else if (look.blank) {
      brood.culled.push_back(look.text + "\tblank");
    } else {
      brood.children.push_back(std::move(look));
    }
  }
  return brood;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = true;
  for (const std::string& line : lines) written = std::fprintf(file, "%s\n", line.c_str()) >= 0 && written;
  return std::fclose(file) == 0 && written;
}

bool WriteBrood(const EvolveOptions& options, const Brood& brood) {
  std::vector<const Frame*> cells{&brood.parent.shown};
  std::vector<std::string> texts{brood.parent.text};
  for (const Look& child : brood.children) {
    cells.push_back(&child.shown);
    texts.push_back(child.text);
  }
  const std::string paths[] = {options.sheet, options.stem + ".txt", options.stem + ".culled.txt"};
  const bool written = WriteContactSheet(options.sheet, cells, kSheetColumns) && WriteLines(paths[1], texts) &&
                       WriteLines(paths[2], brood.culled);
  if (!written) std::fprintf(stderr, "zorva evolve: cannot write %s, %s or %s\n", paths[0].c_str(),
                             paths[1].c_str(), paths[2].c_str());
  return written;
}

bool EndsInPng(const std::string& path) { return path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0; }

bool ReadOptions(CommandLine& line, EvolveOptions* options) {
  options->seed = static_cast<uint32_t>(line.Number("--seed", 1, 0, kLargestSeed));
  options->children = line.Number("--children", 15, 1, kMostChildren);
  options->sheet = line.Value("-o", "");
  if (!line.error.empty()) return false;
  if (!EndsInPng(options->sheet)) {
    line.error = "-o SHEET.png is missing";
    return false;
  }
  options->stem = options->sheet.substr(0, options->sheet.size() - 4);
  return true;
}

int Evolve(CommandLine& line) {
  EvolveOptions options;
  if (!ReadOptions(line, &options)) return line.UsageError();
  options.text = line.Text(0);
  GlyxImage parent;
  ErrorRecord errors;
  if (!parent.CreateFromText(options.text.c_str(), errors)) return BuildError(MessageOf(errors));
  const Brood brood = Breed(options, parent);
  if (!WriteBrood(options, brood)) return 1;
  if (static_cast<int>(brood.children.size()) == options.children) return 0;
  std::fprintf(stderr, "zorva evolve: %zu of %d children stood after %d draws\n", brood.children.size(),
               options.children, kDrawsPerChild * options.children);
  return 1;
}

}  // namespace

const Command kEvolveCommand = {
    "evolve", "TEXT|- [--seed S] [--children N] -o SHEET.png",
    "breed N children of an expression; draw them side by side",
    "Each child is TEXT mutated once, as Space does, with the random generator\n"
    "starting at S (default 1, at most 2147483647): the same TEXT and S give the\n"
    "same sheet everywhere. N is 15 by default.\n"
    "A child whose frames 0, 15 and 30 are each one colour (blank), or whose code\n"
    "is more than 3 times the parent's (costly), is culled and drawn again, at\n"
    "most 20 x N draws in all.\n"
    "SHEET.png shows frame 30 with the ramp feed at half size, 4 cells a row,\n"
    "each with its number: 0 the parent, then the children. SHEET.txt has one\n"
    "text a line (line 1 the parent, line k + 1 child k), so you breed on with\n"
    "  zorva evolve \"$(sed -n 4p SHEET.txt)\" -o next.png\n"
    "SHEET.culled.txt has a line for each culled child: its text, a tab, why.\n"
    "Exits 1 with a line saying how many stood when fewer than N did.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--seed", true}, {"--children", true}, {"-o", true}},
    1,
    Evolve,
};

}  // namespace zorva
