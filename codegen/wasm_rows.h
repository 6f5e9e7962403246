// The row functions that the browser compiled from statements' modules. The
// page's script takes the modules to compile and hands the rows back, and
// until a statement's row has come its passes run in the evaluator. Rows are
// found by their module's bytes, so statements with the same code share one;
// a compilation's module is made once.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "codegen/statement.h"
#include "codegen/wasm_compiler.h"

namespace zorva {

// The exported "row" of a module: 1, or 0 when a fault ended the row.
using WasmRow = int32_t (*)(RenderContext* context);

class WasmRows {
 public:
  explicit WasmRows(const WasmAddresses& addresses) : addresses(addresses) {}

  // The row for the statement's code, or null; a miss asks for its module
  // once.
  WasmRow Find(const Statement& statement);

  // The next module to compile and the number to install its row under;
  // false when none waits.
  bool NextRequest(uint32_t* request, std::string* module);

  // The row compiled for a request. False when the request is unknown or its
  // module was dropped meanwhile: the row is not kept, and the caller frees it.
  bool Install(uint32_t request, WasmRow row);

  // A row that was dropped to keep the cache small; the caller frees it.
  // Null when there is none.
  WasmRow NextReleased();

 private:
  struct Entry {
    WasmRow row = nullptr;  // null while its module is being compiled
    uint64_t lastUse = 0;
  };

  const std::string& ModuleOf(const Statement& statement);
  void DropLeastRecentlyUsed();

  const WasmAddresses addresses;
  std::unordered_map<uint32_t, std::string> modules;  // by compilation serial
  std::map<std::string, Entry> rows;                  // by module
  std::deque<std::string> waiting;                    // asked for, not yet handed out
  std::map<uint32_t, std::string> handedOut;          // by request number
  std::vector<WasmRow> released;
  uint32_t lastRequest = 0;
  uint64_t uses = 0;
};

}  // namespace zorva
