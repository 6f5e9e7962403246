#include "sys/exec_memory.h"

#include <windows.h>

namespace zorva::sys {

namespace {
int allocationsLeft = -1;  // negative: no refusal planned
}

void* AllocateCodeMemory(std::size_t size) {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  return VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

bool SealCodeMemory(void* base, std::size_t size) {
  DWORD previous;
  if (!VirtualProtect(base, size, PAGE_EXECUTE_READ, &previous)) return false;
  // The processor may have fetched the old bytes; the block is new code now.
  return FlushInstructionCache(GetCurrentProcess(), base, size) != 0;
}

void ReleaseCodeMemory(void* base, std::size_t) {
  // MEM_RELEASE frees the whole reservation and wants a size of 0.
  VirtualFree(base, 0, MEM_RELEASE);
}

void RefuseCodeMemoryAfter(int blocks) { allocationsLeft = blocks; }

}  // namespace zorva::sys
