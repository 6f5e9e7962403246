#ifndef ZORVA_PLAYER_DIALOG_WATCH_H
#define ZORVA_PLAYER_DIALOG_WATCH_H

#include <windows.h>

// Watches the dialogs that open on this thread, so that a scripted run never
// waits for a person: every message box is logged (caption and text) and
// answered with OK; a configuration dialog that the script opened gets the
// button the script asked for.
class DialogWatch {
 public:
  DialogWatch();
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  ~DialogWatch();

  // The next dialog to open is a configuration dialog; press `button`
  // (IDOK or IDCANCEL) in it.
  void ExpectConfigDialog(int button);

 private:
  HHOOK hook;
};

#endif
