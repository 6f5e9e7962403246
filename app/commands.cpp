// The commands that reach the application through the main window's keys,
// its timers and the input window's submit.

#include <algorithm>
#include <string>

#include "app/vis_app.h"
#include "sys/clipboard.h"

static bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }

// The Ctrl shortcuts stand apart: a key with Ctrl held also has its plain
// effect, so Ctrl+Enter saves as Enter does.
void VisApp::OnKeyDown(WPARAM key) {
  if (ControlHeld()) {
    if (key == 'V') PasteFromClipboard();
    if (key == 'C') CopyToClipboard();
    if (key == 'F') ToggleInputWindow();
  }
  switch (key) {
    case VK_RETURN: RestartTimers(); SaveAsGoodParent(); break;
    case VK_BACK: RestartTimers(); ResetToGoodParent(); break;
    case VK_SPACE: RestartTimers(); MutateCurrent(); break;
    case VK_UP: ChangeImageSize(true); break;
    case VK_DOWN: ChangeImageSize(false); break;
  }
}

// A timer skipped while the user types fires again a full period later.
void VisApp::OnTimer(WPARAM id) {
  NoteInputWindowVisibility();
  if (InputWindowHasFocus()) return;
  if (id == restartTimerId) ResetToGoodParent();
  else if (id == mutateTimerId) MutateCurrent();
}

void VisApp::OnCommand(WPARAM id) {
  if (id == kSubmitCommandId) SubmitInputText();
}

bool VisApp::InputWindowHasFocus() const { return inputWindow && inputWindow->HasFocus(); }

// In place, so under the lock: a frame must not run code being replaced.
void VisApp::MutateCurrent() {
  {
    CriticalSection::Hold hold(expressionLock);
    if (current) current->Mutate(1);
  }
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

// Up refines the grid down to step 1 and then magnifies; Down shrinks the
// magnification to 1 and then coarsens the grid.
void VisApp::ChangeImageSize(bool up) {
  CriticalSection::Hold hold(expressionLock);
  if (!current) return;
  if (up && pixelStep == 1) zoom++;
  else if (up) pixelStep = std::max(pixelStep - 1, 1);
  else if (zoom > 1) zoom--;
  else pixelStep++;
  ResizeCurrent();
}

void VisApp::ToggleInputWindow() {
  if (!inputWindow) return;
  if (inputWindow->IsShown()) {
    inputWindow->Show(false);
    return;
  }
  inputWindow->Show(true);
  inputWindow->FocusEdit();
  RefreshInputWindowText();
}

// The whole text: the window shows the whole expression however long, and
// OK on it must build that expression, not a cut one.
void VisApp::SubmitInputText() {
  if (inputWindow) SetExpressionFromText(inputWindow->GetText().c_str());
}
