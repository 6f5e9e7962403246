// The commands that reach the application through the main window's keys and
// timers. Keys whose commands are not built yet only reach the player.

#include <string>

#include "app/vis_app.h"
#include "sys/clipboard.h"

static bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }

void VisApp::OnKeyDown(WPARAM key) {
  if (ControlHeld()) {
    if (key == 'V') PasteFromClipboard();
    if (key == 'C') CopyToClipboard();
  }
  if (key == VK_RETURN) {
    RestartTimers();
    SaveAsGoodParent();
  }
  if (key == VK_BACK) {
    RestartTimers();
    ResetToGoodParent();
  }
  if (key == VK_SPACE) {
    RestartTimers();
    MutateCurrent();
  }
}

void VisApp::OnTimer(WPARAM id) {
  NoteInputWindowVisibility();
  if (id == restartTimerId) ResetToGoodParent();
  else if (id == mutateTimerId) MutateCurrent();
}

void VisApp::MutateCurrent() {
  if (current) current->Mutate(1);
  RefreshInputWindowText();
}

// A text cut short by the buffer would be another expression, so only a
// whole one is kept.
void VisApp::SaveAsGoodParent() {
  if (!current) return;
  char text[1024];
  if (current->ExpressionText(text, sizeof text, "; ").complete) library.Add(text);
}

// Statements one a line; the whole text, however long.
void VisApp::CopyToClipboard() {
  if (current) zorva::sys::WriteClipboardText(mainWindow, current->ExpressionString("\n"));
}

// Line breaks in the text reach the expression as they are.
void VisApp::PasteFromClipboard() {
  std::string text;
  if (zorva::sys::ReadClipboardText(mainWindow, &text)) SetExpressionFromText(text.c_str());
}
