#include <cstring>

#include "sys/clipboard.h"

namespace zorva::sys {

std::string TextWithin(const char* block, size_t size) {
  return std::string(block, strnlen(block, size));
}

}  // namespace zorva::sys
