#include "codegen/code_buffer.h"

#include "sys/exec_memory.h"

namespace zorva {

bool CodeBuffer::Allocate(uint32_t requested) {
  Release();
  size = requested;
  base = static_cast<uint8_t*>(zorva::sys::AllocateExecutableMemory(requested));
  entry = base;
  return base != nullptr;
}

void CodeBuffer::Release() {
  if (base != nullptr) zorva::sys::ReleaseExecutableMemory(base, size);
  base = entry = nullptr;
}

}  // namespace zorva
