#ifndef ZORVA_PLAYER_SCREENSHOT_H
#define ZORVA_PLAYER_SCREENSHOT_H

#include <windows.h>

#include <string>

// Saves the window's client area, as it is on screen, to a 24-bit BMP file.
bool SaveClientAreaBmp(HWND window, const std::string& path);

// Saves the whole window, caption and frame included, the same way.
bool SaveWindowBmp(HWND window, const std::string& path);

#endif
