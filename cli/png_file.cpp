#include "cli/png_file.h"

#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

void AppendToFile(void* file, void* data, int size) {
  std::fwrite(data, 1, static_cast<size_t>(size), static_cast<FILE*>(file));
}

}  // namespace

// The file is opened here rather than by stb, so that errno says why a write
// failed.
bool WritePngFile(const char* path, int width, int height, const uint8_t* rgb) {
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool encoded = stbi_write_png_to_func(AppendToFile, file, width, height, 3, rgb, 3 * width) != 0;
  const bool written = encoded && std::ferror(file) == 0;
  return std::fclose(file) == 0 && written;
}
