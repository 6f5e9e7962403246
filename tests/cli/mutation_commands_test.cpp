// zorva mutate, evolve and sheet, run as programs: their lines, their
// sheets and their exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "library/builtin_glyxes.h"
#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

TEST(MutateCommand, PrintsEachMutationFromTheSeed) {
  // Channel statements first, then the pixel statement: seed 3 gives r its
  // y before x+1 changes at all.
  const ZorvaRun run = RunZorva("mutate - --seed 3 --times 3", "x+1");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "r=y; g=x; b=x; x+1\nr=y; g=x; b=x; x+1\nr=y; g=y; b=-19; x+1\n");
  EXPECT_EQ(RunZorva("mutate x --times many").exitCode, 2);
}

// The sheet that evolve drew, as RGB, and the texts it wrote beside it.
struct Sheet {
  ZorvaRun run;
  Png png;
  std::vector<std::string> texts, culled;
};

Sheet Evolve(const std::string& args, const std::string& name) {
  const std::string stem = TempFilePath(name);
  Sheet sheet;
  sheet.run = RunZorva("evolve " + args + " -o " + stem + ".png");
  sheet.png = ReadPng(stem + ".png");
  sheet.texts = Lines(ReadFileBytes(stem + ".txt"));
  sheet.culled = Lines(ReadFileBytes(stem + ".culled.txt"));
  return sheet;
}

// The mean colour of the 2 x 2 block at (x, y) of the last frame of a .raw.
std::vector<int> RenderedMean(const std::string& raw, int x, int y) {
  const size_t frameBytes = 768 + 256 * 256;
  const std::string frame = raw.substr(raw.size() - frameBytes);
  std::vector<int> mean(3, 2);
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 2; ++dx) {
      const unsigned char index = frame[768 + (y + dy) * 256 + x + dx];
      for (int c = 0; c < 3; ++c) mean[c] += static_cast<unsigned char>(frame[3 * index + c]);
    }
  for (int& value : mean) value /= 4;
  return mean;
}

// With seed 1, one of built-in 0's children shows a single colour in every
// frame: a palette offset by x paints all 256 entries alike. Others repeat the
// parent's text. They are drawn again, and 15 different children still stand.
TEST(EvolveCommand, DrawsTheParentAndFifteenChildrenAndCullsTheBlankAndRepeatedOnes) {
  const std::string parent = kBuiltinGlyxes[0];
  const Sheet sheet = Evolve("'" + parent + "'", "zorva_evolve");
  ASSERT_EQ(sheet.run.exitCode, 0) << sheet.run.err;
  ASSERT_EQ(std::make_pair(sheet.png.width, sheet.png.height), std::make_pair(512, 512));  // decoded
  ASSERT_EQ(sheet.texts.size(), 16u);
  EXPECT_EQ(sheet.texts[0], parent);
  EXPECT_EQ(std::set<std::string>(sheet.texts.begin(), sheet.texts.end()).size(), 16u);
  std::set<std::string> reasons;
  for (const std::string& line : sheet.culled) {
    const std::string text = line.substr(0, line.find('\t')), reason = line.substr(line.find('\t') + 1);
    reasons.insert(reason);
    const bool shown = std::find(sheet.texts.begin(), sheet.texts.end(), text) != sheet.texts.end();
    EXPECT_EQ(shown, reason == "repeat") << line;
  }
  EXPECT_EQ(reasons, (std::set<std::string>{"blank", "repeat"}));
  // Cell 0 is frame 30 with the ramp feed at half size.
  const std::string raw = TempFilePath("zorva_evolve_parent.raw");
  ASSERT_EQ(RunZorva("render '" + parent + "' --audio ramp --frames 31 -o " + raw).exitCode, 0);
  EXPECT_EQ(sheet.png.Pixel(100, 90), RenderedMean(ReadFileBytes(raw), 200, 180));
}

// A constant pixel statement shows one colour whatever its palette; with
// seed 7 none of 20 children of "5" turns it into a variable.
TEST(EvolveCommand, SaysHowManyStoodWhenTheDrawsRunOut) {
  const Sheet five = Evolve("5 --children 1 --seed 7", "zorva_evolve_five");
  EXPECT_EQ(five.run.exitCode, 1);
  EXPECT_EQ(five.run.err, "zorva evolve: 0 of 1 children stood after 20 draws\n");
  EXPECT_EQ(five.texts, std::vector<std::string>{"r=x; g=x; b=x; 5"});
  EXPECT_EQ(five.culled.size(), 20u);
  EXPECT_EQ(five.png.height, 128);
}

// Both sheets draw the frame and the sound they are given: cell 0 is the
// mean of 2 x 2 blocks of that frame as zorva render draws it.
TEST(EvolveCommand, EvolveAndSheetShowTheFrameAndSoundTheyAreGiven) {
  const std::string parent = kBuiltinGlyxes[0];
  const std::string raw = TempFilePath("zorva_sheets.raw");
  ASSERT_EQ(RunZorva("render '" + parent + "' --audio silence --frames 8 -o " + raw).exitCode, 0);
  const Sheet evolved = Evolve("'" + parent + "' --children 1 --frame 7 --audio silence", "zorva_evolve_silent");
  ASSERT_EQ(evolved.run.exitCode, 0) << evolved.run.err;
  const std::string sheetPath = TempFilePath("zorva_sheet_silent.png");
  ASSERT_EQ(RunZorva("sheet --frame 7 --audio silence -o " + sheetPath).exitCode, 0);
  const Png sheet = ReadPng(sheetPath);
  ASSERT_FALSE(sheet.rgb.empty());
  for (const auto& [x, y] : {std::make_pair(100, 90), std::make_pair(40, 110)}) {
    const std::vector<int> expected = RenderedMean(ReadFileBytes(raw), 2 * x, 2 * y);
    EXPECT_EQ(evolved.png.Pixel(x, y), expected);
    EXPECT_EQ(sheet.Pixel(x, y), expected);
  }
}

}  // namespace
}  // namespace zorva
