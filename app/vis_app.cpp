#include "app/vis_app.h"

#include <algorithm>
#include <ctime>
#include <new>

#include "app/config_dialog.h"
#include "app/image_draw.h"
#include "app/vis_window.h"
#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "sys/alert.h"
#include "resources/resource_ids.h"
#include "sys/gdi_handles.h"

VisApp visApp;

// The application always evaluates a 256 x 256 area with period 256.
constexpr int32_t kAreaSize = 256;
constexpr int32_t kPeriod = 256;
// Where the input window opens, in screen coordinates: below the main window.
constexpr RECT kInputWindowRect = {50, 326, 350, 426};

void VisApp::Attach(winampVisModule* record) {
  moduleInstance = record->hDllInstance;
  module = record;
  LoadSettings();
}

// Returns 0 on success and 1 when the main window cannot be made, as Init must.
int32_t VisApp::Start(winampVisModule* record) {
  Attach(record);
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  ResetToGoodParent();
  return CreateMainWindow();
}

static POINT CursorInMainWindow(HWND mainWindow) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(mainWindow, &cursor);
  return cursor;
}

int32_t VisApp::RenderFrame() {
  CriticalSection::Hold hold(expressionLock);
  NoteInputWindowVisibility();
  CopySoundFrame(module->waveformData, module->nCh, module->spectrumData[0]);
  const POINT cursor = CursorInMainWindow(mainWindow);
  if (current && current->Render(cursor.x, cursor.y) && mainWindow != nullptr) {
    WindowDc window(mainWindow);
    if (window.dc != nullptr) PaintImage(window.dc);
  }
  return 0;
}

void VisApp::Stop() {
  SaveSettings();
  StopTimers();
  inputWindow.reset();
  DestroyMainWindow();
}

// Before Init there is no main window, and the dialog has no owner.
void VisApp::ShowConfigDialog() {
  StopTimers();
  DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(ZORVA_CONFIG_DIALOG), mainWindow, ConfigDialogProc, 0);
  RestartTimers();
}

// Built outside the lock beside the current expression, which renders on
// meanwhile, and swapped in only once it has built: the current expression
// may be the unsaved work of many mutations, and a typo must not cost it. A
// text that fails leaves the expression, the picture and the input window's
// text as they were; only a text that does not parse has a message.
bool VisApp::SetExpressionFromText(const char* text) {
  std::unique_ptr<zorva::GlyxImage> next(new (std::nothrow) zorva::GlyxImage);
  zorva::ErrorRecord errors;
  if (!next || !next->CreateFromText(text, errors) || !next->Resize(kAreaSize, kAreaSize, pixelStep, kPeriod)) {
    ShowBuildError(errors);
    return false;
  }
  ReplaceCurrent(std::move(next));
  RefreshInputWindowText();
  return true;
}

void VisApp::ReplaceCurrent(std::unique_ptr<zorva::GlyxImage> next) {
  CriticalSection::Hold hold(expressionLock);
  current.swap(next);
}

// A text that fails without a message failed for want of memory, which is
// not reported.
void VisApp::ShowBuildError(const zorva::ErrorRecord& errors) {
  const char* message = zorva::MessageOf(errors);
  if (message == nullptr) return;
  StopTimers();
  MessageBoxA(module->hwndParent, message, "Zorva", MB_OK);
  RestartTimers();
}

// Also restarts the frame counter. Without the image's memory there is no
// expression.
bool VisApp::ResizeCurrent() {
  CriticalSection::Hold hold(expressionLock);
  if (current->Resize(kAreaSize, kAreaSize, pixelStep, kPeriod)) return true;
  current.reset();
  return false;
}

// Settings always load the built-ins first, so the library is empty only
// when even they could not be had.
void VisApp::ResetToGoodParent() {
  if (library.Count() == 0) return;
  SetExpressionFromText(library.At(static_cast<uint16_t>(DrawRandom() % library.Count())));
}

// The whole text, however long, so that OK on it builds the same expression.
void VisApp::RefreshInputWindowText() {
  if (inputWindow && inputWindow->IsShown()) inputWindow->SetText(current ? current->ExpressionString("; ") : "");
}

void VisApp::PaintImage(HDC dc) {
  CriticalSection::Hold hold(expressionLock);
  if (!current) return;
  RECT client;
  if (GetClientRect(mainWindow, &client)) DrawImage(current->image, dc, client, zoom);
}

int32_t VisApp::CreateMainWindow() {
  if (!RegisterMainWindowClass(module->hDllInstance)) {
    MessageBoxA(module->hwndParent, "Error registering window class", "blah", MB_OK);
    return 1;
  }
  mainWindow = CreateMainWindowHandle(*module, windowX, windowY, clientWidth, clientHeight);
  if (mainWindow == nullptr) {
    MessageBoxA(module->hwndParent, "Error creating window", "Zorva", MB_OK);
    // Quit does not follow a failed Init: a class left registered would
    // make every later Init fail.
    UnregisterClassA(kMainWindowClass, module->hDllInstance);
    return 1;
  }
  zorva::sys::SetAlertOwner(mainWindow);
  inputWindow = std::make_unique<ExprInputWindow>();
  inputWindow->Create(module->hDllInstance, mainWindow, kInputWindowRect, kSubmitCommandId, TRUE);
  RestartTimers();
  AttachModuleRecord(mainWindow, module);
  FitClientArea(mainWindow, clientWidth, clientHeight);
  ShowWindow(mainWindow, SW_SHOWNORMAL);
  if (showInputWindow) {
    ToggleInputWindow();
    SetFocus(mainWindow);
  }
  return 0;
}

void VisApp::DestroyMainWindow() {
  zorva::sys::SetAlertOwner(nullptr);
  if (mainWindow != nullptr) DestroyWindow(mainWindow);
  mainWindow = nullptr;
  UnregisterClassA(kMainWindowClass, module->hDllInstance);
}

static void KillTimerOf(HWND mainWindow, uint32_t* timerId) {
  if (*timerId != 0) KillTimer(mainWindow, *timerId);
  *timerId = 0;
}

// The longest period the system's timers take, in whole seconds (24 days).
constexpr int32_t kLongestTimerSeconds = USER_TIMER_MAXIMUM / 1000;

// A period of 0 seconds leaves the timer stopped but still records its id.
// Periods come from the settings file unchecked: a negative one stops the
// timer too, and a longer one than the system's timers take runs at their
// longest, so that neither wraps around to a short period in milliseconds.
static void StartTimerOf(HWND mainWindow, uint32_t* timerId, UINT id, int32_t seconds) {
  KillTimerOf(mainWindow, timerId);
  if (seconds > 0 && mainWindow != nullptr) {
    SetTimer(mainWindow, id, static_cast<UINT>(std::min(seconds, kLongestTimerSeconds)) * 1000, nullptr);
  }
  *timerId = id;
}

void VisApp::RestartTimers() {
  StartTimerOf(mainWindow, &restartTimerId, kRestartTimerId, autoRestartSeconds);
  StartTimerOf(mainWindow, &mutateTimerId, kMutateTimerId, autoMutateSeconds);
}

void VisApp::StopTimers() {
  KillTimerOf(mainWindow, &restartTimerId);
  KillTimerOf(mainWindow, &mutateTimerId);
}
