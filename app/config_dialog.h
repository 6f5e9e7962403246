#ifndef ZORVA_APP_CONFIG_DIALOG_H
#define ZORVA_APP_CONFIG_DIALOG_H

#include <windows.h>

// The configuration dialog (resource ZORVA_CONFIG_DIALOG): two sliders for
// the periods of the automatic timers and a help text of the keys. OK keeps
// the periods, restarts the timers and saves; Cancel changes nothing.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
