#ifndef ZORVA_PLAYER_PLAYER_WINDOW_H
#define ZORVA_PLAYER_PLAYER_WINDOW_H

#include <windows.h>

// The player's own top-level window: the plug-in's parent, the owner of its
// message boxes and the receiver of the keys it passes on, which it logs.
HWND CreatePlayerWindow(HINSTANCE instance);

// The plug-in's main window: the visible window on this thread that the
// player's window owns and that is no dialog. Null when there is none.
HWND FindPluginWindow(HWND playerWindow);

// The edit box of Zorva's input window: the "Edit" child of the top-level
// window of class "ZorvaTool" on this thread, shown or hidden. Null when
// there is none.
HWND FindInputEditBox();

#endif
