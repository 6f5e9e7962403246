#ifndef ZORVA_APP_APP_REQUESTS_H
#define ZORVA_APP_APP_REQUESTS_H

#include <windows.h>

#include <cstdint>

// What the windows and the dialog ask of the application. Their modules
// include this header and never vis_app.h, so that the application can
// include theirs: the arrows among app/'s files point one way.

void AppKeyDown(WPARAM key);
void AppTimer(WPARAM id);
void AppCommand(WPARAM id);
void AppLeftButton();
void AppDoubleClick();
void AppRightButton();
void AppWindowMoved(int32_t x, int32_t y);
void AppPaint(HDC dc);

// The periods of the two automatic timers, in seconds; 0 is never.
struct TimerPeriods {
  int32_t mutateSeconds;
  int32_t restartSeconds;
};
TimerPeriods AppTimerPeriods();
// Keeps the periods, restarts the timers and saves every setting.
void AppKeepTimerPeriods(TimerPeriods periods);

// Something failed inside the application, almost always an allocation
// while the expression was being built or changed: it goes, as it may be
// half changed, and the player runs on.
void AppAbandonCurrent();

#endif
