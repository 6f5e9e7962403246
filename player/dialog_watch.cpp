#include "player/dialog_watch.h"

#include <string>

#include "player/player_log.h"

static int pendingConfigButton;

static std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

static bool IsDialog(HWND window) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  return std::string(className) == "#32770";
}

// A message box's text is its one static control that shows text (the icon
// is a static control too, without text).
static BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  char className[16] = "";
  GetClassNameA(child, className, sizeof className);
  const std::string text = WindowText(child);
  if (std::string(className) == "Static" && !text.empty()) {
    auto* collected = reinterpret_cast<std::string*>(lParam);
    if (!collected->empty()) *collected += "\n";
    *collected += text;
  }
  return TRUE;
}

static void AnswerDialog(HWND dialog) {
  const std::string caption = WindowText(dialog);
  if (pendingConfigButton != 0) {
    playerLog.Line("config caption=" + Quoted(caption) + (pendingConfigButton == IDOK ? " press=ok" : " press=cancel"));
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(pendingConfigButton), 0);
    pendingConfigButton = 0;
    return;
  }
  std::string text;
  EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  playerLog.Line("messagebox caption=" + Quoted(caption) + " text=" + Quoted(text));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// Runs after each window procedure of this thread: WM_INITDIALOG has filled
// the dialog's controls by then.
static LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITDIALOG && IsDialog(message->hwnd)) {
    AnswerDialog(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

DialogWatch::DialogWatch()
    : hook(SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId())) {}

DialogWatch::~DialogWatch() {
  if (hook != nullptr) UnhookWindowsHookEx(hook);
}

void DialogWatch::ExpectConfigDialog(int button) {
  pendingConfigButton = button;
}
