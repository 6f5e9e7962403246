// The block that holds one row routine: written while writable, run once sealed.
#pragma once

#include <cstdint>

namespace zorva {

class CodeBuffer {
 public:
  CodeBuffer() = default;
  ~CodeBuffer() { Release(); }
  CodeBuffer(const CodeBuffer&) = delete;
  CodeBuffer& operator=(const CodeBuffer&) = delete;

  // Obtains a readable and writable block of at least size bytes, aligned to
  // at least 16; false when the platform refuses.
  bool Allocate(uint32_t size);

  // Makes the written block executable and read-only; false when the
  // platform refuses, and the block must not run then.
  bool Seal();

  void Release();

  uint32_t size = 0;         // bytes requested
  uint8_t* base = nullptr;   // start of the block
  uint8_t* entry = nullptr;  // the row routine's entry point: base
};

}  // namespace zorva
