#include "app/vis_window.h"

#include "app/exception_wall.h"

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kMainWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

// Created without the caption bits: the caption rule of WM_GETMINMAXINFO,
// which the system already asks for during creation, adds them.
HWND CreateMainWindowHandle(const winampVisModule& record, int x, int y, int width, int height) {
  return CreateWindowExA(WS_EX_APPWINDOW, kMainWindowClass, record.description,
                         WS_VISIBLE | WS_SYSMENU | WS_MAXIMIZEBOX, x, y, width, height,
                         record.hwndParent, nullptr, record.hDllInstance, nullptr);
}

void FitClientArea(HWND window, int width, int height) {
  RECT client;
  GetClientRect(window, &client);
  SetWindowPos(window, nullptr, 0, 0, 2 * width - client.right, 2 * height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER);
}

void AttachModuleRecord(HWND window, winampVisModule* record) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
}

// Posted, not sent: the player handles the key after the module has.
static void PostToPlayer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* record = reinterpret_cast<const winampVisModule*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (record != nullptr) PostMessageA(record->hwndParent, message, wParam, lParam);
}

static void OnMove(HWND window) {
  RECT outer;
  if (GetWindowRect(window, &outer)) AppWindowMoved(outer.left, outer.top);
}

static void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) AppPaint(dc);
  EndPaint(window, &paint);
}

// A maximised window loses its caption and covers the whole primary screen;
// any other has one.
static void OnGetMinMaxInfo(HWND window, WPARAM wParam, LPARAM lParam) {
  DefWindowProcA(window, WM_GETMINMAXINFO, wParam, lParam);
  auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, (style & WS_MAXIMIZE) ? style & ~WS_CAPTION : style | WS_CAPTION);
  limits->ptMaxSize.x = GetSystemMetrics(SM_CXSCREEN);
  limits->ptMaxSize.y = GetSystemMetrics(SM_CYSCREEN);
  limits->ptMaxPosition.x = 0;
  limits->ptMaxPosition.y = 0;
}

static void OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam) {
  AppKeyDown(wParam);
  PostToPlayer(window, WM_KEYDOWN, wParam, lParam);
}

static void OnLButtonDblClk(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
  AppDoubleClick();
}

// Commands, timer ticks and the mouse commands go on to the default
// handling as well.
static LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_MOVE: OnMove(window); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(window, wParam, lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(window, wParam, lParam); return 0;
    case WM_KEYUP: PostToPlayer(window, message, wParam, lParam); return 0;
    case WM_COMMAND: AppCommand(wParam); break;
    case WM_TIMER: AppTimer(wParam); break;
    case WM_LBUTTONDOWN: AppLeftButton(); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(window); break;
    case WM_RBUTTONDOWN: AppRightButton(); break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CatchAtEdge([&] { return HandleMessage(window, message, wParam, lParam); }, LRESULT{0});
}
