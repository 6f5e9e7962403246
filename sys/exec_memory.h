// Memory that generated machine code runs from. A block is never writable
// and executable at once: the code generator writes it, then seals it.
#pragma once

#include <cstddef>

namespace zorva::sys {

// A readable and writable block, page aligned, for code to be written into.
// Null when the platform refuses.
void* AllocateCodeMemory(std::size_t size);

// Makes a block from AllocateCodeMemory readable and executable, and no
// longer writable. False when the platform refuses (a system that forbids
// executable memory refuses here).
bool SealCodeMemory(void* base, std::size_t size);

// Gives back a block from AllocateCodeMemory; size is the size asked for.
void ReleaseCodeMemory(void* base, std::size_t size);

// For tests of the failure paths: the next `blocks` allocations succeed, the
// ones after them are refused. A negative count refuses none again.
void RefuseCodeMemoryAfter(int blocks);

}  // namespace zorva::sys
