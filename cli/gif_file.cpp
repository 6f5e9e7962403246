#include "cli/gif_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kShortestDelay = 2;  // hundredths of a second

// The application extension that makes viewers repeat the animation.
bool PutLoopForever(GifFileType* gif) {
  static const uint8_t kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const uint8_t kForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kForever, kForever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutDelay(GifFileType* gif, int delay) {
  GraphicsControlBlock control = {};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType bytes[4];
  const size_t length = EGifGCBToExtension(&control, bytes);
  return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), bytes) == GIF_OK;
}

}  // namespace

bool GifFile::Open(const std::string& path, int frameWidth, int frameHeight, int rate) {
  // Opened here rather than by giflib, which would make the file private.
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (descriptor < 0) return false;
  int error = 0;
  gif = EGifOpenFileHandle(descriptor, &error);
  if (gif == nullptr) {
    close(descriptor);
    return false;
  }
  width = frameWidth;
  height = frameHeight;
  framesPerSecond = rate;
  EGifSetGifVersion(gif, true);
  failed = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) != GIF_OK || !PutLoopForever(gif);
  return !failed;
}

int GifFile::StartOf(int frame) const { return (frame * 100 + framesPerSecond / 2) / framesPerSecond; }

bool GifFile::AddFrame(const uint8_t* rgb, const uint8_t* pixels) {
  const int start = StartOf(frames++);
  if (!pendingPixels.empty()) {
    if (start - pendingStart < kShortestDelay) return true;
    if (!PutPending(start - pendingStart)) return false;
  }
  pendingRgb.assign(rgb, rgb + 768);
  pendingPixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
  pendingStart = start;
  return true;
}

bool GifFile::PutPending(int delay) {
  ColorMapObject* colours = GifMakeMapObject(256, nullptr);
  if (colours == nullptr) return !(failed = true);
  const uint8_t* rgb = pendingRgb.data();
  for (int i = 0; i < 256; ++i) colours->Colors[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
  bool ok = PutDelay(gif, delay) && EGifPutImageDesc(gif, 0, 0, width, height, false, colours) == GIF_OK;
  for (int y = 0; ok && y < height; ++y) ok = EGifPutLine(gif, &pendingPixels[static_cast<size_t>(y) * width], width) == GIF_OK;
  GifFreeMapObject(colours);
  failed = failed || !ok;
  return ok;
}

// The last frame shows until the animation's end, at least the shortest delay.
bool GifFile::Close() {
  if (gif == nullptr) return false;
  if (!pendingPixels.empty() && !failed) PutPending(std::max(kShortestDelay, StartOf(frames) - pendingStart));
  int error = 0;
  const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
  gif = nullptr;
  return closed && !failed;
}

GifFile::~GifFile() {
  if (gif != nullptr) Close();
}
