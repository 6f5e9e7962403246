// The zorva tool's conventions for arguments and exit codes, run as a program:
// usage errors exit 2 with the usage, other failures exit 1 and say why.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/cli/zorva_process.h"

namespace zorva {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandLine, UsageErrorsExitTwoWithTheUsageAndHelpExitsZero) {
  for (const char* args : {"check", "check x y", "check -x", "code x --statement", "code x --statement q",
                           "palette eight", "render x", "render x --frames 0 -o a.raw", "render x --audio loud -o a.raw",
                           "render x --scale 9 -o a.png", "evolve", "sheet", "palettes", "library add x",
                           "library remove 61 --ini a.ini", "library remove 62"}) {
    const ZorvaRun run = RunZorva(args);
    EXPECT_EQ(run.exitCode, 2) << args;
    EXPECT_TRUE(Has(run.err, "usage: zorva ")) << args << ": " << run.err;
  }
  for (const char* name : {"check", "code", "render", "mutate", "evolve", "sheet", "table", "palette", "palettes", "bench"}) {
    const ZorvaRun run = RunZorva(std::string(name) + " --help");
    EXPECT_EQ(run.exitCode, 0) << name;
    EXPECT_EQ(run.out.rfind(std::string("usage: zorva ") + name + " ", 0), 0u) << name;
  }
  EXPECT_TRUE(Has(RunZorva("palette --help").out, "1 to 28, and 0 for the grey"));
  // The group without a subcommand lists its subcommands.
  const ZorvaRun library = RunZorva("library");
  EXPECT_EQ(library.exitCode, 2);
  for (const char* sub : {"library list ", "library add ", "library remove "}) EXPECT_TRUE(Has(library.err, sub)) << sub;
  EXPECT_EQ(RunZorva("library --help").exitCode, 0);
}

// Any other extension than the command's formats is a usage error that names them.
TEST(CommandLine, AnOutputOfAnotherFormatIsAUsageErrorNamingTheFormats) {
  const struct {
    const char* args;
    const char* formats;
  } cases[] = {{"render x -o out.bmp", ".png, .gif or .raw"}, {"render x -o out", ".png, .gif or .raw"},
               {"palettes -o p.gif", ".png"},                 {"sheet -o noext", ".png"},
               {"evolve x -o x.gif", ".png"}};
  for (const auto& c : cases) {
    const ZorvaRun run = RunZorva(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.args;
    EXPECT_TRUE(Has(run.err, std::string("must end in ") + c.formats + "\n")) << c.args << ": " << run.err;
  }
}

TEST(CommandLine, FilesThatCannotBeWrittenOrReadExitOneWithTheSystemsReason) {
  const std::string missing = TempFilePath("zorva_no_folder");
  for (const std::string& args : {"render x -o " + missing + "/a.png", "render x -o " + missing + "/a.GIF",
                                  "render x -o " + missing + "/a.raw", "palettes -o " + missing + "/a.png",
                                  "sheet --frame 0 -o " + missing + "/a.png",
                                  "evolve x --children 1 -o " + missing + "/a.png"}) {
    const ZorvaRun run = RunZorva(args);
    EXPECT_EQ(run.exitCode, 1) << args;
    const std::string path = args.substr(args.find(missing));
    EXPECT_TRUE(Has(run.err, ": cannot write " + path + ": No such file or directory\n")) << run.err;
  }
  const ZorvaRun noWav = RunZorva("render x --wav " + missing + ".wav -o " + TempFilePath("zorva.raw"));
  EXPECT_EQ(noWav.exitCode, 1);
  EXPECT_EQ(noWav.err, "zorva render: cannot read " + missing + ".wav: No such file or directory\n");
  const ZorvaRun noIni = RunZorva("library list --ini " + missing + ".ini");
  EXPECT_EQ(noIni.exitCode, 1);
  EXPECT_EQ(noIni.err, "zorva library list: " + missing + ".ini does not exist\n");
  const std::string folder = TempFilePath("zorva_folder.ini");
  mkdir(folder.c_str(), 0700);
  for (const std::string& args : {"library list --ini " + folder, "library add x --ini " + folder}) {
    const ZorvaRun run = RunZorva(args);
    EXPECT_EQ(run.exitCode, 1) << args;
    EXPECT_TRUE(Has(run.err, "cannot read " + folder + ": Is a directory\n")) << run.err;
  }
  rmdir(folder.c_str());
  // A WAV file of another sample format.
  const std::string eightBit = TempFilePath("zorva_8bit.wav");
  WriteWavFile(eightBit, SF_FORMAT_PCM_U8, std::vector<int16_t>(4410, 1000));
  const ZorvaRun refused = RunZorva("render x --wav " + eightBit + " -o " + TempFilePath("zorva.raw"));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "zorva render: cannot read " + eightBit + ": not 16-bit PCM mono or stereo\n");
}

}  // namespace
}  // namespace zorva
