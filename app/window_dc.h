#ifndef ZORVA_APP_WINDOW_DC_H
#define ZORVA_APP_WINDOW_DC_H

#include <windows.h>

// A window's device context, released when it goes out of scope.
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

#endif
