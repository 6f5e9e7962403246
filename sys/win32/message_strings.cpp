#include "sys/message_strings.h"

#include <windows.h>

namespace zorva::sys {
namespace {

// The module that holds this code: the DLL in the player, the test program in
// the tests. Its string table is the one to read.
HINSTANCE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

}  // namespace

int LoadMessageString(int id, char* buffer, int size) {
  if (size <= 0) return 0;
  int length = LoadStringA(OwnModule(), static_cast<UINT>(id), buffer, size);
  if (length <= 0) buffer[0] = '\0';
  return length < 0 ? 0 : length;
}

}  // namespace zorva::sys
