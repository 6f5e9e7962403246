// A minimal plug-in of the published visualization interface, for testing
// the stand-in player on its own: it paints the first spectrum byte as red,
// shows message boxes on request and passes keys on to the player.

#include <windows.h>

#include "host/vis_module.h"

static HWND fakeWindow;
static winampVisModule* player;

static void Say(const char* text) {
  MessageBoxA(player->hwndParent, text, "Fake", MB_OK);
}

static LRESULT CALLBACK FakeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == 'M') Say(GetKeyState(VK_CONTROL) < 0 ? "key 0x4d ctrl=1" : "key 0x4d ctrl=0");
      [[fallthrough]];
    case WM_KEYUP:
      PostMessageA(player->hwndParent, message, wParam, lParam);
      return 0;
    case WM_LBUTTONDBLCLK: Say("double click"); return 0;
    case WM_RBUTTONDOWN: Say("right click"); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

static INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) EndDialog(dialog, static_cast<INT_PTR>(wParam));
  return message == WM_INITDIALOG;
}

static void Config(winampVisModule* record) {
  player = record;
  // An in-memory dialog with OK and Cancel, so no resource file is needed.
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } empty = {{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 0, 100, 40}, 0, 0, 0};
  const INT_PTR pressed =
      DialogBoxIndirectParamA(record->hDllInstance, &empty.dialog, nullptr, ConfigDialogProc, 0);
  Say(pressed == IDOK ? "config ok" : "config cancel");
}

static int32_t Init(winampVisModule* record) {
  player = record;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FakeWindowProc;
  windowClass.style = CS_DBLCLKS;
  windowClass.hInstance = record->hDllInstance;
  windowClass.lpszClassName = "FakeVis";
  RegisterClassA(&windowClass);
  fakeWindow = CreateWindowExA(0, "FakeVis", "Fake", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100,
                               record->hwndParent, nullptr, record->hDllInstance, nullptr);
  return fakeWindow == nullptr;
}

static int32_t Render(winampVisModule* record) {
  const HDC dc = GetDC(fakeWindow);
  RECT client;
  GetClientRect(fakeWindow, &client);
  const HBRUSH brush = CreateSolidBrush(RGB(record->spectrumData[0][0], record->waveformData[1][0] + 128, 0));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  ReleaseDC(fakeWindow, dc);
  return 0;
}

static void Quit(winampVisModule* record) {
  DestroyWindow(fakeWindow);
  UnregisterClassA("FakeVis", record->hDllInstance);
}

static winampVisModule fakeModule = {"Fake", nullptr, nullptr, 0, 0, 0, 5, 2, 2, {}, {},
                                     Config, Init, Render, Quit, nullptr};

static winampVisModule* GetModule(int32_t index) { return index == 0 ? &fakeModule : nullptr; }

static const winampVisHeader fakeHeader = {0x101, "Fake plug-in", GetModule};

extern "C" __declspec(dllexport) const winampVisHeader* winampVisGetHeader() { return &fakeHeader; }
