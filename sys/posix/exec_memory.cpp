#include "sys/exec_memory.h"

#include <sys/mman.h>

namespace zorva::sys {

void* AllocateExecutableMemory(std::size_t size) {
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

void ReleaseExecutableMemory(void* base, std::size_t size) {
  munmap(base, size);
}

}  // namespace zorva::sys
