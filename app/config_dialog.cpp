#include "app/config_dialog.h"

#include <commctrl.h>

#include "app/exception_wall.h"
#include "resources/resource_ids.h"

namespace {

// A vertical slider has its minimum, "Never", at the top.
struct SliderScale {
  int id;
  int lastPosition;
  int secondsPerPosition;
};
constexpr SliderScale kMutateScale = {ZORVA_MUTATE_SLIDER, 12, 5};
constexpr SliderScale kRestartScale = {ZORVA_RESTART_SLIDER, 18, 10};

// The trackbar clamps a position outside its range: a period of 600 s
// shows as 3 minutes.
void SetSlider(HWND dialog, const SliderScale& scale, int32_t seconds) {
  const HWND slider = GetDlgItem(dialog, scale.id);
  SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, scale.lastPosition));
  SendMessageA(slider, TBM_SETPOS, TRUE, seconds / scale.secondsPerPosition);
}

int32_t SliderSeconds(HWND dialog, const SliderScale& scale) {
  const LRESULT position = SendDlgItemMessageA(dialog, scale.id, TBM_GETPOS, 0, 0);
  return static_cast<int32_t>(position) * scale.secondsPerPosition;
}

void OnInitDialog(HWND dialog) {
  const TimerPeriods periods = AppTimerPeriods();
  SetSlider(dialog, kMutateScale, periods.mutateSeconds);
  SetSlider(dialog, kRestartScale, periods.restartSeconds);
}

// Cancel is also Escape and the close box.
void OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      AppKeepTimerPeriods({SliderSeconds(dialog, kMutateScale), SliderSeconds(dialog, kRestartScale)});
      EndDialog(dialog, 1);
      break;
    case IDCANCEL: EndDialog(dialog, 0); break;
  }
}

// The system sets the first focus.
INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
    case WM_COMMAND: OnCommand(dialog, wParam); return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return CatchAtEdge([&] { return HandleMessage(dialog, message, wParam); }, INT_PTR{FALSE});
}
