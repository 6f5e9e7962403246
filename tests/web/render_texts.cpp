// zorva_render_texts FRAMES STEP XM YM: each line of standard input rendered
// as `zorva render LINE ... --audio ramp` would, its .raw bytes behind their
// count (a count of 0 for a line that does not build), so that the WebAssembly
// test needs one process, not thousands.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "codegen/random.h"
#include "frame/frame.h"
#include "image/glyx_image.h"

namespace {

std::vector<uint8_t> RenderRaw(const std::string& text, int frames, int step, int xm, int ym,
                               const AudioFeed& feed) {
  zorva::GlyxImage glyx;
  zorva::ErrorRecord errors;
  std::vector<uint8_t> bytes;
  if (!glyx.CreateFromText(text.c_str(), errors) ||
      !glyx.Resize(zorva::kAreaSize, zorva::kAreaSize, step, zorva::kPeriod))
    return bytes;
  SeedRandom(1);  // where every new zorva process starts its generator
  zorva::AppendRawFrames(glyx, feed, frames, xm, ym, &bytes);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: zorva_render_texts FRAMES STEP XM YM < texts\n", stderr);
    return 2;
  }
  const int frames = std::atoi(argv[1]);
  const int step = std::atoi(argv[2]);
  AudioFeed feed;
  MakeBuiltinFeed("ramp", &feed);
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::vector<uint8_t> bytes = RenderRaw(line, frames, step, std::atoi(argv[3]), std::atoi(argv[4]), feed);
    const uint32_t size = static_cast<uint32_t>(bytes.size());  // x86 and WebAssembly are little-endian
    std::fwrite(&size, 4, 1, stdout);
    std::fwrite(bytes.data(), 1, size, stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
