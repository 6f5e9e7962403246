// Tells the user about an internal error at once.
#pragma once

namespace zorva::sys {

// Windows: a message box with the caption "Zorva" and an OK button, owned by
// the window given to SetAlertOwner. Linux: the text on standard error.
void ShowAlert(const char* text);

// The window that owns the alerts (the main window's handle, or null).
void SetAlertOwner(void* window);

}  // namespace zorva::sys
