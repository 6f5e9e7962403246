#include "player/dialog_watch.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "player/player_log.h"
#include "player/screenshot.h"

// What the script wants done in the configuration dialog that Config opens.
struct ConfigPlan {
  int button = 0;  // IDOK or IDCANCEL; 0: no configuration dialog expected
  std::vector<SliderMove> sliders;
  std::string shot;       // empty: no picture
  HWND dialog = nullptr;  // once it has opened
  int ticksWaited = 0;
};

static ConfigPlan configPlan;

// Far from the small numbers a plug-in gives its own timers.
static const UINT_PTR kConfigTimer = 0x7A0F;
// A dialog that hides itself still gets its button, after about a second.
static const int kMostTicksToWait = 100;

static std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

static bool HasClass(HWND window, const char* name) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  return lstrcmpiA(className, name) == 0;
}

// A message box's text is its one static control that shows text (the icon
// is a static control too, without text).
static BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  const std::string text = WindowText(child);
  if (HasClass(child, "Static") && !text.empty()) {
    auto* collected = reinterpret_cast<std::string*>(lParam);
    if (!collected->empty()) *collected += "\n";
    *collected += text;
  }
  return TRUE;
}

static void AnswerMessageBox(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  playerLog.Line("messagebox caption=" + Quoted(WindowText(dialog)) + " text=" + Quoted(text));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// "config sliders 131=2 136=6": the dialog's trackbars in child order.
static std::string SliderLine(HWND dialog) {
  std::string line = "config sliders";
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!HasClass(child, TRACKBAR_CLASSA)) continue;
    line += " " + std::to_string(GetDlgCtrlID(child)) + "=" + std::to_string(SendMessageA(child, TBM_GETPOS, 0, 0));
  }
  return line;
}

// What the dialog hears when a user lets go of the thumb there.
static void MoveSlider(HWND dialog, const SliderMove& move) {
  const HWND slider = GetDlgItem(dialog, move.id);
  if (slider == nullptr || !HasClass(slider, TRACKBAR_CLASSA)) {
    playerLog.Line("config no slider " + std::to_string(move.id));
    return;
  }
  SendMessageA(slider, TBM_SETPOS, TRUE, move.position);
  const WORD position = static_cast<WORD>(SendMessageA(slider, TBM_GETPOS, 0, 0));
  const UINT scroll = (GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  SendMessageA(dialog, scroll, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
  SendMessageA(dialog, scroll, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

// The modal loop shows the dialog only once its queue first runs empty, and
// WM_TIMER comes after WM_PAINT: so the first tick that finds the dialog
// visible finds it painted, as a user would see it.
static void CALLBACK ActInConfigDialog(HWND dialog, UINT, UINT_PTR timer, DWORD) {
  if (!IsWindowVisible(dialog) && ++configPlan.ticksWaited < kMostTicksToWait) return;
  KillTimer(dialog, timer);
  for (const SliderMove& move : configPlan.sliders) MoveSlider(dialog, move);
  if (!configPlan.shot.empty()) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool saved = SaveWindowBmp(dialog, configPlan.shot);
    playerLog.Line("screenshot " + Quoted(configPlan.shot) + (saved ? " saved" : " failed"));
  }
  playerLog.Line("config caption=" + Quoted(WindowText(dialog)) + (configPlan.button == IDOK ? " press=ok" : " press=cancel"));
  PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(configPlan.button), 0);
  configPlan = {};
}

// The trackbars are logged as the dialog opened them; everything else waits
// until the dialog is on the screen.
static void OpenConfigDialog(HWND dialog) {
  configPlan.dialog = dialog;
  playerLog.Line(SliderLine(dialog));
  SetTimer(dialog, kConfigTimer, USER_TIMER_MINIMUM, ActInConfigDialog);
}

// Runs after each window procedure of this thread: WM_INITDIALOG has filled
// the dialog's controls by then.
static LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITDIALOG && HasClass(message->hwnd, "#32770")) {
    if (configPlan.button != 0 && configPlan.dialog == nullptr) {
      OpenConfigDialog(message->hwnd);
    } else {
      AnswerMessageBox(message->hwnd);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

DialogWatch::DialogWatch()
    : hook(SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId())) {}

DialogWatch::~DialogWatch() {
  if (hook != nullptr) UnhookWindowsHookEx(hook);
}

void DialogWatch::ExpectConfigDialog(const ScriptEvent& config) {
  configPlan = {config.button == "ok" ? IDOK : IDCANCEL, config.sliders, config.text, nullptr, 0};
}

void DialogWatch::StopExpectingConfigDialog() { configPlan = {}; }
