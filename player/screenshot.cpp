#include "player/screenshot.h"

#include <cstdio>
#include <memory>

#include "sys/gdi_handles.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// Rows of 24-bit pixels are padded to four bytes.
int RowBytes(int width) { return (width * 3 + 3) & ~3; }

bool WriteBmp(const std::string& path, int width, int height, const void* pixels) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  const DWORD imageBytes = static_cast<DWORD>(RowBytes(width) * height);
  BITMAPFILEHEADER fileHeader = {};
  BITMAPINFOHEADER info = {};
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof fileHeader + sizeof info;
  fileHeader.bfSize = fileHeader.bfOffBits + imageBytes;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = imageBytes;
  return std::fwrite(&fileHeader, sizeof fileHeader, 1, file.get()) == 1 &&
         std::fwrite(&info, sizeof info, 1, file.get()) == 1 &&
         std::fwrite(pixels, imageBytes, 1, file.get()) == 1;
}

// The whole window, caption and frame included, for a dialog as a user sees it.
class WholeWindowDc {
 public:
  explicit WholeWindowDc(HWND window) : window(window), dc(GetWindowDC(window)) {}
  ~WholeWindowDc() {
    if (dc != nullptr) ReleaseDC(window, dc);
  }
  WholeWindowDc(const WholeWindowDc&) = delete;
  WholeWindowDc& operator=(const WholeWindowDc&) = delete;

  const HWND window;
  const HDC dc;
};

bool SaveDcBmp(HDC source, int width, int height, const std::string& path) {
  if (source == nullptr || width <= 0 || height <= 0) return false;
  MemoryDc memory(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  const GdiBitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (memory.dc == nullptr || !bitmap) return false;

  const HGDIOBJ previous = SelectObject(memory.dc, bitmap.get());
  const bool copied = BitBlt(memory.dc, 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
  SelectObject(memory.dc, previous);
  GdiFlush();
  return copied && WriteBmp(path, width, height, pixels);
}

}  // namespace

bool SaveClientAreaBmp(HWND window, const std::string& path) {
  RECT client;
  if (!GetClientRect(window, &client)) return false;
  WindowDc screen(window);
  return SaveDcBmp(screen.dc, client.right, client.bottom, path);
}

bool SaveWindowBmp(HWND window, const std::string& path) {
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  WholeWindowDc screen(window);
  return SaveDcBmp(screen.dc, frame.right - frame.left, frame.bottom - frame.top, path);
}
