#ifndef ZORVA_CLI_CULL_H
#define ZORVA_CLI_CULL_H

#include <cstddef>
#include <string>
#include <unordered_set>

namespace zorva {

// Why zorva evolve draws a child again before it renders it: "repeat" when
// its text is in `seen` (the parent's and the earlier children's), "costly"
// when its code is more than three times the parent's. Null when it may
// stand.
const char* CullBeforeRendering(const std::string& text, size_t codeBytes, size_t parentCodeBytes,
                                const std::unordered_set<std::string>& seen);

}  // namespace zorva

#endif
