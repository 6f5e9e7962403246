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

}  // namespace

bool SaveClientAreaBmp(HWND window, const std::string& path) {
  RECT client;
  if (!GetClientRect(window, &client)) return false;
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return false;

  WindowDc screen(window);
  MemoryDc memory(screen.dc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  const GdiBitmap bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (screen.dc == nullptr || memory.dc == nullptr || !bitmap) return false;

  const HGDIOBJ previous = SelectObject(memory.dc, bitmap.get());
  const bool copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY) != 0;
  SelectObject(memory.dc, previous);
  GdiFlush();
  return copied && WriteBmp(path, width, height, pixels);
}
