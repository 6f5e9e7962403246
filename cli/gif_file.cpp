#include "cli/gif_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace {

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

bool GifFile::Open(const std::string& path, int frameWidth, int frameHeight, int frameDelay) {
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
  delay = frameDelay;
  EGifSetGifVersion(gif, true);
  failed = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) != GIF_OK || !PutLoopForever(gif);
  return !failed;
}

bool GifFile::AddFrame(const uint8_t* rgb, const uint8_t* pixels) {
  ColorMapObject* colours = GifMakeMapObject(256, nullptr);
  if (colours == nullptr) return !(failed = true);
  for (int i = 0; i < 256; ++i) colours->Colors[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
  bool ok = PutDelay(gif, delay) && EGifPutImageDesc(gif, 0, 0, width, height, false, colours) == GIF_OK;
  std::vector<GifPixelType> row(width);
  for (int y = 0; ok && y < height; ++y) {
    row.assign(pixels + y * width, pixels + (y + 1) * width);
    ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
  }
  GifFreeMapObject(colours);
  failed = failed || !ok;
  return ok;
}

bool GifFile::Close() {
  if (gif == nullptr) return false;
  int error = 0;
  const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
  gif = nullptr;
  return closed && !failed;
}

GifFile::~GifFile() {
  if (gif != nullptr) Close();
}
