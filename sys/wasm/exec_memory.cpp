// WebAssembly runs no code from memory: the code generator still writes its
// bytes (their size is the expression's cost), but the reference evaluator
// renders the passes, so a block is plain memory and sealing asks nothing.
#include "sys/exec_memory.h"

#include <cstdlib>

namespace zorva::sys {

namespace {
int allocationsLeft = -1;  // negative: no refusal planned
constexpr std::size_t kBlockAlignment = 16;
}  // namespace

void* AllocateCodeMemory(std::size_t size) {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  const std::size_t rounded = (size + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
  return std::aligned_alloc(kBlockAlignment, rounded == 0 ? kBlockAlignment : rounded);
}

bool SealCodeMemory(void*, std::size_t) { return true; }

void ReleaseCodeMemory(void* base, std::size_t) { std::free(base); }

void RefuseCodeMemoryAfter(int blocks) { allocationsLeft = blocks; }

}  // namespace zorva::sys
