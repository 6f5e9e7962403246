#include "sys/exec_memory.h"

#include <windows.h>

namespace zorva::sys {

void* AllocateExecutableMemory(std::size_t size) {
  return VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
}

void ReleaseExecutableMemory(void* base, std::size_t) {
  // MEM_RELEASE frees the whole reservation and wants a size of 0.
  VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace zorva::sys
