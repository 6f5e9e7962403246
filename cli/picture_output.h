#ifndef ZORVA_CLI_PICTURE_OUTPUT_H
#define ZORVA_CLI_PICTURE_OUTPUT_H

// How every zorva command that writes a picture names it: -o OUT picks the
// format by OUT's extension, in any letter case, and --scale K makes each
// pixel of a PNG or GIF K x K, so that a picture can be shared at a useful
// size. The .raw frames are never magnified: they are data, not a picture.
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "image/rgb_picture.h"

namespace zorva {

enum class PictureFormat { Png, Gif, Raw };

struct PictureOutput {
  std::string path;
  PictureFormat format = PictureFormat::Png;
  int scale = 1;
};

// The -o and --scale of a command that writes the given formats. A missing
// -o, another extension or a scale outside 1 to 8 sets line.error.
PictureOutput ReadPictureOutput(CommandLine& line, const std::vector<PictureFormat>& formats);

// OUT without its extension, for the files a command writes beside it.
std::string PathStem(const std::string& path);

// Each pixel of `bytesPerPixel` bytes repeated k x k.
std::vector<uint8_t> Magnified(const uint8_t* pixels, int width, int height, int bytesPerPixel, int k);

// Writes the picture as a PNG file at the output's scale; false with errno
// saying why.
bool WritePicture(const PictureOutput& output, const RgbPicture& picture);

// "zorva NAME: cannot write PATH: REASON", REASON from errno; returns the
// exit code of a failure, 1.
int CannotWrite(const CommandLine& line, const std::string& path);
// "zorva NAME: cannot read PATH: REASON"; returns 1.
int CannotRead(const CommandLine& line, const std::string& pathAndReason);

}  // namespace zorva

#endif
