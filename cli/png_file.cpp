#include "cli/png_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

bool WritePngFile(const char* path, int width, int height, const uint8_t* rgb) {
  return stbi_write_png(path, width, height, 3, rgb, 3 * width) != 0;
}
