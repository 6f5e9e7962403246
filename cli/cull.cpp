#include "cli/cull.h"

namespace zorva {
namespace {

constexpr size_t kCostlyFactor = 3;

}  // namespace

const char* CullBeforeRendering(const std::string& text, size_t codeBytes, size_t parentCodeBytes,
                                const std::unordered_set<std::string>& seen) {
  if (seen.count(text) != 0) return "repeat";
  if (codeBytes > kCostlyFactor * parentCodeBytes) return "costly";
  return nullptr;
}

}  // namespace zorva
