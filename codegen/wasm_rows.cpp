#include "codegen/wasm_rows.h"

namespace zorva {

namespace {

// A frame uses at most four statements; the rest is for the statements
// that come back (a parent picked again, a render of the same text).
constexpr size_t kMostRows = 64;
constexpr size_t kMostModules = 256;

}  // namespace

WasmRow WasmRows::Find(const Statement& statement) {
  const std::string& module = ModuleOf(statement);
  auto [entry, added] = rows.try_emplace(module);
  entry->second.lastUse = ++uses;
  const WasmRow row = entry->second.row;
  if (added) {
    waiting.push_back(module);
    if (rows.size() > kMostRows) DropLeastRecentlyUsed();
  }
  return row;
}

const std::string& WasmRows::ModuleOf(const Statement& statement) {
  const uint32_t serial = statement.compiled->serial;
  auto known = modules.find(serial);
  if (known != modules.end()) return known->second;
  if (modules.size() >= kMostModules) modules.clear();
  const std::vector<uint8_t> bytes = CompileToWasm(statement, addresses);
  return modules.emplace(serial, std::string(bytes.begin(), bytes.end())).first->second;
}

// The entry just used is never the least recently used one.
void WasmRows::DropLeastRecentlyUsed() {
  auto oldest = rows.begin();
  for (auto entry = rows.begin(); entry != rows.end(); ++entry)
    if (entry->second.lastUse < oldest->second.lastUse) oldest = entry;
  if (oldest->second.row) released.push_back(oldest->second.row);
  rows.erase(oldest);
}

bool WasmRows::NextRequest(uint32_t* request, std::string* module) {
  while (!waiting.empty()) {
    std::string next = std::move(waiting.front());
    waiting.pop_front();
    if (rows.count(next) == 0) continue;  // dropped before it was handed out
    *request = ++lastRequest;
    *module = next;
    handedOut.emplace(*request, std::move(next));
    return true;
  }
  return false;
}

bool WasmRows::Install(uint32_t request, WasmRow row) {
  auto handed = handedOut.find(request);
  if (handed == handedOut.end()) return false;
  auto entry = rows.find(handed->second);
  handedOut.erase(handed);
  if (entry == rows.end() || entry->second.row != nullptr) return false;
  entry->second.row = row;
  return true;
}

WasmRow WasmRows::NextReleased() {
  if (released.empty()) return nullptr;
  const WasmRow row = released.back();
  released.pop_back();
  return row;
}

}  // namespace zorva
