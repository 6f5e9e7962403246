#include "codegen/code_buffer.h"

#include "sys/exec_memory.h"

namespace zorva {

bool CodeBuffer::Allocate(uint32_t requested) {
  Release();
  size = requested;
  base = static_cast<uint8_t*>(sys::AllocateCodeMemory(requested));
  entry = base;
  return base != nullptr;
}

bool CodeBuffer::Seal() { return base != nullptr && sys::SealCodeMemory(base, size); }

void CodeBuffer::Release() {
  if (base != nullptr) sys::ReleaseCodeMemory(base, size);
  base = entry = nullptr;
}

}  // namespace zorva
