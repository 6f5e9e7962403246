#ifndef ZORVA_APP_VIS_APP_H
#define ZORVA_APP_VIS_APP_H

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/critical_section.h"
#include "app/expr_input_window.h"
#include "host/vis_module.h"
#include "image/glyx_image.h"
#include "library/glyx_library.h"

// The one application object. The player's four entries forward to it; it
// owns everything the plug-in shows. Its fields keep their documented order.
class VisApp {
 public:
  winampVisModule* module = nullptr;
  std::unique_ptr<zorva::GlyxImage> current;  // none while no text has built
  int32_t windowX = 0;
  int32_t windowY = 0;
  int32_t clientWidth = 256;
  int32_t clientHeight = 256;
  uint32_t restartTimerId = 0;
  uint32_t mutateTimerId = 0;
  BOOL showInputWindow = 0;
  int32_t pixelStep = 1;
  int32_t zoom = 1;
  std::unique_ptr<ExprInputWindow> inputWindow;  // made with the main window
  int32_t autoRestartSeconds = 60;
  int32_t autoMutateSeconds = 10;
  zorva::GlyxLibrary library;
  // Process-wide, as there is one module and one main window at a time: the
  // module's instance for its resources, and the main window (null while
  // there is none).
  HINSTANCE moduleInstance = nullptr;
  HWND mainWindow = nullptr;
  // Some hosts call Render on another thread than the one that runs the
  // windows' messages. What replaces, changes or renders the current
  // expression holds this lock; never across a message box, a dialog or a
  // build, so that the host's thread never waits on the user.
  CriticalSection expressionLock;

  void Attach(winampVisModule* record);
  int32_t Start(winampVisModule* record);
  int32_t RenderFrame();
  void Stop();
  void ShowConfigDialog();

  // Replaces the current expression by one built from `text`. A text that
  // does not build shows its message and leaves the current one as it was.
  bool SetExpressionFromText(const char* text);
  // Swaps `next` in, under the lock; the old expression goes after it.
  void ReplaceCurrent(std::unique_ptr<zorva::GlyxImage> next);
  void ResetToGoodParent();
  void RefreshInputWindowText();
  void PaintImage(HDC dc);

  int32_t CreateMainWindow();
  void DestroyMainWindow();

  void RestartTimers();
  void StopTimers();

  // "plugin.ini" beside the plug-in's own file, section "Zorva".
  std::string SettingsFilePath() const;
  void LoadSettings();
  void SaveSettings();
  void NoteInputWindowVisibility();

  // Commands from the main window's keys, timers and the input window.
  void OnKeyDown(WPARAM key);
  void OnTimer(WPARAM id);
  void OnCommand(WPARAM id);
  void MutateCurrent();
  void SaveAsGoodParent();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ChangeImageSize(bool up);
  void ToggleInputWindow();
  void SubmitInputText();

 private:
  void ShowBuildError(const zorva::ErrorRecord& errors);
  bool ResizeCurrent();

  bool InputWindowHasFocus() const;
};

constexpr UINT kRestartTimerId = 666;
constexpr UINT kMutateTimerId = 667;
constexpr UINT kSubmitCommandId = 666;  // the input window's WM_COMMAND

// The one application object, to which the player's entries forward.
extern VisApp visApp;

#endif
