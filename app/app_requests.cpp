// The application's answers to its windows and its dialog.

#include "app/app_requests.h"

#include "app/vis_app.h"

void AppKeyDown(WPARAM key) { visApp.OnKeyDown(key); }
void AppTimer(WPARAM id) { visApp.OnTimer(id); }
void AppCommand(WPARAM id) { visApp.OnCommand(id); }

void AppLeftButton() {
  visApp.RestartTimers();
  visApp.MutateCurrent();
}

void AppDoubleClick() {
  visApp.RestartTimers();
  visApp.ResetToGoodParent();
}

void AppRightButton() {
  visApp.RestartTimers();
  visApp.ResetToGoodParent();
}

void AppWindowMoved(int32_t x, int32_t y) {
  visApp.windowX = x;
  visApp.windowY = y;
}

void AppPaint(HDC dc) { visApp.PaintImage(dc); }

TimerPeriods AppTimerPeriods() { return {visApp.autoMutateSeconds, visApp.autoRestartSeconds}; }

void AppKeepTimerPeriods(TimerPeriods periods) {
  visApp.autoMutateSeconds = periods.mutateSeconds;
  visApp.autoRestartSeconds = periods.restartSeconds;
  visApp.RestartTimers();
  visApp.SaveSettings();
}

void AppAbandonCurrent() { visApp.ReplaceCurrent(nullptr); }
