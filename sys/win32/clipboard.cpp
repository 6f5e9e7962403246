#include "sys/clipboard.h"

#include <windows.h>

#include <cstring>

namespace zorva::sys {
namespace {

// Open for the lifetime of the object, when opening worked.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(void* owner) : opened(OpenClipboard(static_cast<HWND>(owner)) != 0) {}
  ~OpenedClipboard() {
    if (opened) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  const bool opened;
};

// A locked view of a global memory block.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block) : block(block), bytes(static_cast<char*>(GlobalLock(block))) {}
  ~LockedBlock() {
    if (bytes != nullptr) GlobalUnlock(block);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  const HGLOBAL block;
  char* const bytes;
};

}  // namespace

bool WriteClipboardText(void* owner, const std::string& text) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.opened) return false;
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  if (block == nullptr) return false;
  {
    LockedBlock locked(block);
    if (locked.bytes == nullptr) {
      GlobalFree(block);
      return false;
    }
    std::memcpy(locked.bytes, text.c_str(), text.size() + 1);
  }
  // Once handed over, the block belongs to the clipboard.
  if (SetClipboardData(CF_TEXT, block) == nullptr) {
    GlobalFree(block);
    return false;
  }
  return true;
}

bool ReadClipboardText(void* owner, std::string* text) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.opened) return false;
  const HANDLE block = GetClipboardData(CF_TEXT);
  if (block == nullptr) return false;
  LockedBlock locked(block);
  if (locked.bytes == nullptr) return false;
  *text = TextWithin(locked.bytes, GlobalSize(block));
  return true;
}

}  // namespace zorva::sys
