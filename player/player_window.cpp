#include "player/player_window.h"

#include <cstdio>
#include <string>

#include "player/player_log.h"

static const char kPlayerClass[] = "ZorvaPlayer";

static void LogKey(const char* what, WPARAM key) {
  char line[48];
  std::snprintf(line, sizeof line, "key %s 0x%02x", what, static_cast<unsigned>(key));
  playerLog.Line(line);
}

static LRESULT CALLBACK PlayerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: LogKey("down", wParam); return 0;
    case WM_KEYUP: LogKey("up", wParam); return 0;
    case WM_SYSKEYDOWN: LogKey("sysdown", wParam); break;
    case WM_SYSKEYUP: LogKey("sysup", wParam); break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreatePlayerWindow(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlayerWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPlayerClass;
  if (RegisterClassA(&windowClass) == 0) return nullptr;
  return CreateWindowExA(0, kPlayerClass, "Zorva player", WS_OVERLAPPEDWINDOW,
                         CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
}

struct WindowSearch {
  HWND playerWindow;
  HWND found;
};

static BOOL CALLBACK ConsiderWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (GetWindow(window, GW_OWNER) != search->playerWindow || !IsWindowVisible(window) ||
      std::string(className) == "#32770") {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindPluginWindow(HWND playerWindow) {
  WindowSearch search = {playerWindow, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), ConsiderWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

static BOOL CALLBACK ConsiderInputWindow(HWND window, LPARAM lParam) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "ZorvaTool") return TRUE;
  *reinterpret_cast<HWND*>(lParam) = window;
  return FALSE;
}

HWND FindInputEditBox() {
  HWND inputWindow = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), ConsiderInputWindow, reinterpret_cast<LPARAM>(&inputWindow));
  return inputWindow == nullptr ? nullptr : FindWindowExA(inputWindow, nullptr, "Edit", nullptr);
}
