#ifndef ZORVA_APP_VIS_WINDOW_H
#define ZORVA_APP_VIS_WINDOW_H

#include <windows.h>

#include "host/vis_module.h"

// The main window: the one top-level window that shows the image. Its
// procedure turns the window's messages into the application's operations
// and hands every key message on to the player's window.

constexpr char kMainWindowClass[] = "Zorva";

// The class "Zorva" for the module's instance; false when it can't be had.
bool RegisterMainWindowClass(HINSTANCE instance);

// The window at (x, y), owned by the player's window and titled with the
// module's description. Null on failure.
HWND CreateMainWindowHandle(const winampVisModule& record, int x, int y, int width, int height);

// Sizes the window, in place, so that its client area is width x height
// whatever its frame and caption take.
void FitClientArea(HWND window, int width, int height);

// Remembers the module record, whose hwndParent receives the key messages.
void AttachModuleRecord(HWND window, winampVisModule* record);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
