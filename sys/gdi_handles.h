#ifndef ZORVA_SYS_GDI_HANDLES_H
#define ZORVA_SYS_GDI_HANDLES_H

// Windows only. Owners of the GDI handles that painting and screenshots
// borrow: each gives its handle back when it goes out of scope.

#include <windows.h>

#include <memory>
#include <type_traits>

// A window's device context (the screen's for a null window).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
  ~WindowDc() {
    if (dc != nullptr) ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  const HWND window;
  const HDC dc;
};

// A memory device context compatible with another one.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc != nullptr) DeleteDC(dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  const HDC dc;
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A bitmap; it must no longer be selected into a device context when it goes.
using GdiBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

#endif
