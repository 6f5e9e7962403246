#include "app/vis_app.h"

#include <ctime>

#include "app/sound_copy.h"
#include "codegen/random.h"

VisApp visApp;
HINSTANCE moduleInstance;
HWND mainWindow;

void VisApp::Attach(winampVisModule* record) {
  moduleInstance = record->hDllInstance;
  module = record;
}

// Returns 0 on success and 1 when the main window cannot be made, as Init must.
int32_t VisApp::Start(winampVisModule* record) {
  Attach(record);
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  return 0;
}

int32_t VisApp::RenderFrame() {
  CopySoundFrame(*module);
  return 0;
}

void VisApp::Stop() {
  StopTimers();
}

void VisApp::ShowConfigDialog() {
  StopTimers();
  RestartTimers();
}

static void KillTimerOfMainWindow(uint32_t* timerId) {
  if (*timerId != 0) KillTimer(mainWindow, *timerId);
  *timerId = 0;
}

// A period of 0 seconds leaves the timer stopped but still records its id.
static void StartTimerOfMainWindow(uint32_t* timerId, UINT id, int32_t seconds) {
  KillTimerOfMainWindow(timerId);
  if (seconds != 0 && mainWindow != nullptr) {
    SetTimer(mainWindow, id, static_cast<UINT>(seconds) * 1000, nullptr);
  }
  *timerId = id;
}

void VisApp::RestartTimers() {
  StartTimerOfMainWindow(&restartTimerId, kRestartTimerId, autoRestartSeconds);
  StartTimerOfMainWindow(&mutateTimerId, kMutateTimerId, autoMutateSeconds);
}

void VisApp::StopTimers() {
  KillTimerOfMainWindow(&restartTimerId);
  KillTimerOfMainWindow(&mutateTimerId);
}
