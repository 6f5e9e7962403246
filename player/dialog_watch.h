#ifndef ZORVA_PLAYER_DIALOG_WATCH_H
#define ZORVA_PLAYER_DIALOG_WATCH_H

#include <windows.h>

#include "player/player_script.h"

// Watches the dialogs that open on this thread, so that a scripted run never
// waits for a person: every message box is logged (caption and text) and
// answered with OK; a configuration dialog that the script opened has its
// trackbars logged and moved, is saved as a picture if the script asks, and
// gets the button the script asked for.
class DialogWatch {
 public:
  DialogWatch();
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  ~DialogWatch();

  // The next dialog to open is a configuration dialog; do in it what the
  // script's config event says.
  void ExpectConfigDialog(const ScriptEvent& config);
  // Config has returned: a dialog that never opened is expected no more.
  void StopExpectingConfigDialog();

 private:
  HHOOK hook;
};

#endif
