#ifndef ZORVA_CLI_GIF_FILE_H
#define ZORVA_CLI_GIF_FILE_H

#include <cstdint>
#include <string>

#include <gif_lib.h>

// An animated GIF written frame by frame. Every frame is an 8-bit image with
// its own 256-colour table, so frames go in exactly as rendered.
class GifFile {
 public:
  // Opens `path` for frames of width x height; `delay` is in 1/100 s.
  bool Open(const std::string& path, int width, int height, int delay);

  // rgb: 768 bytes, red, green, blue of entries 0..255; pixels: the rows
  // from the top, `width` bytes each.
  bool AddFrame(const uint8_t* rgb, const uint8_t* pixels);

  // Finishes the file; false when anything on the way failed.
  bool Close();

  ~GifFile();

 private:
  GifFileType* gif = nullptr;
  int width = 0;
  int height = 0;
  int delay = 0;
  bool failed = false;
};

#endif
