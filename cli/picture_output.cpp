#include "cli/picture_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "cli/png_file.h"

namespace zorva {
namespace {

constexpr int32_t kLargestScale = 8;

const char* Extension(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return ".png";
    case PictureFormat::Gif: return ".gif";
    case PictureFormat::Raw: return ".raw";
  }
  return "";
}

bool EndsWithAnyCase(const std::string& text, const char* suffix) {
  const size_t length = std::strlen(suffix);
  return text.size() > length && strcasecmp(text.c_str() + text.size() - length, suffix) == 0;
}

// ".png", ".png or .gif", ".png, .gif or .raw".
std::string ListOf(const std::vector<PictureFormat>& formats) {
  std::string list;
  for (size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) list += i + 1 == formats.size() ? " or " : ", ";
    list += Extension(formats[i]);
  }
  return list;
}

}  // namespace

PictureOutput ReadPictureOutput(CommandLine& line, const std::vector<PictureFormat>& formats) {
  PictureOutput output;
  output.scale = line.Number("--scale", 1, 1, kLargestScale);
  output.path = line.Value("-o", "");
  if (!line.error.empty()) return output;
  if (output.path.empty()) {
    line.error = "-o OUT is missing (OUT ends in " + ListOf(formats) + ")";
    return output;
  }
  for (PictureFormat format : formats) {
    if (EndsWithAnyCase(output.path, Extension(format))) {
      output.format = format;
      return output;
    }
  }
  line.error = "-o " + output.path + ": OUT must end in " + ListOf(formats);
  return output;
}

std::string PathStem(const std::string& path) { return path.substr(0, path.rfind('.')); }

std::vector<uint8_t> Magnified(const uint8_t* pixels, int width, int height, int bytesPerPixel, int k) {
  const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel * k;
  std::vector<uint8_t> magnified(rowBytes * height * k);
  uint8_t* out = magnified.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * width * bytesPerPixel;
    uint8_t* const rowStart = out;
    for (int x = 0; x < width; ++x)
      for (int copy = 0; copy < k; ++copy, out += bytesPerPixel) std::memcpy(out, row + x * bytesPerPixel, bytesPerPixel);
    for (int copy = 1; copy < k; ++copy, out += rowBytes) std::memcpy(out, rowStart, rowBytes);
  }
  return magnified;
}

bool WritePicture(const PictureOutput& output, const RgbPicture& picture) {
  if (output.scale == 1) return WritePngFile(output.path.c_str(), picture.width, picture.height, picture.rgb.data());
  const std::vector<uint8_t> rgb = Magnified(picture.rgb.data(), picture.width, picture.height, 3, output.scale);
  return WritePngFile(output.path.c_str(), picture.width * output.scale, picture.height * output.scale, rgb.data());
}

int CannotWrite(const CommandLine& line, const std::string& path) {
  std::fprintf(stderr, "zorva %s: cannot write %s: %s\n", line.command.name, path.c_str(), std::strerror(errno));
  return 1;
}

int CannotRead(const CommandLine& line, const std::string& pathAndReason) {
  std::fprintf(stderr, "zorva %s: cannot read %s\n", line.command.name, pathAndReason.c_str());
  return 1;
}

}  // namespace zorva
