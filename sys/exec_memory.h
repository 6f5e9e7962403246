// Memory that generated machine code runs from.
#pragma once

#include <cstddef>

namespace zorva::sys {

// A block that is readable, writable and executable, page aligned. Returns
// null when the platform refuses.
void* AllocateExecutableMemory(std::size_t size);

// Gives back a block from AllocateExecutableMemory; size is the size asked for.
void ReleaseExecutableMemory(void* base, std::size_t size);

}  // namespace zorva::sys
