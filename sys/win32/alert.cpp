#include "sys/alert.h"

#include <windows.h>

namespace zorva::sys {
namespace {

HWND alertOwner = nullptr;

}  // namespace

void ShowAlert(const char* text) { MessageBoxA(alertOwner, text, "Zorva", MB_OK); }

void SetAlertOwner(void* window) { alertOwner = static_cast<HWND>(window); }

}  // namespace zorva::sys
