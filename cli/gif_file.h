#ifndef ZORVA_CLI_GIF_FILE_H
#define ZORVA_CLI_GIF_FILE_H

#include <cstdint>
#include <string>
#include <vector>

#include <gif_lib.h>

// An animated GIF written frame by frame. Every frame is an 8-bit image with
// its own 256-colour table, so frames go in exactly as rendered.
//
// A GIF counts time in hundredths of a second, and browsers show a delay
// under 2 as 10. So each frame starts at the hundredth nearest its own time,
// and a frame that would show for less than 2 is left out, the one before it
// showing longer: at 60 frames a second two frames of three stay, shown for
// 2 and 3 hundredths in turn, and the GIF keeps the music's time.
class GifFile {
 public:
  // Opens `path` for frames of width x height that come `framesPerSecond`.
  bool Open(const std::string& path, int width, int height, int framesPerSecond);

  // rgb: 768 bytes, red, green, blue of entries 0..255; pixels: the rows
  // from the top, `width` bytes each.
  bool AddFrame(const uint8_t* rgb, const uint8_t* pixels);

  // Finishes the file; false when anything on the way failed.
  bool Close();

  ~GifFile();

 private:
  int StartOf(int frame) const;  // in 1/100 s
  bool PutPending(int delay);

  GifFileType* gif = nullptr;
  int width = 0;
  int height = 0;
  int framesPerSecond = 0;
  int frames = 0;  // added so far, written or left out
  // The last frame kept, written once the next one says how long it shows.
  std::vector<uint8_t> pendingRgb;
  std::vector<uint8_t> pendingPixels;
  int pendingStart = 0;
  bool failed = false;
};

#endif
