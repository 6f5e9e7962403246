#include "sys/exec_memory.h"

#include <sys/mman.h>

namespace zorva::sys {

namespace {
int allocationsLeft = -1;  // negative: no refusal planned
}

void* AllocateCodeMemory(std::size_t size) {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

bool SealCodeMemory(void* base, std::size_t size) {
  return mprotect(base, size, PROT_READ | PROT_EXEC) == 0;
}

void ReleaseCodeMemory(void* base, std::size_t size) { munmap(base, size); }

void RefuseCodeMemoryAfter(int blocks) { allocationsLeft = blocks; }

}  // namespace zorva::sys
