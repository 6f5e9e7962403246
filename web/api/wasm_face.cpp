// The WebAssembly back end's face: the modules the page compiles for the
// core, the rows it hands back, and the choice of engine.
#include <cctype>
#include <cstring>
#include <string>

#include "codegen/builtin_table.h"
#include "codegen/pass_engine_wasm.h"
#include "image/glyx_image.h"
#include "lang/error_record.h"
#include "web/api/api_state.h"
#include "web/api/zorva_api.h"

namespace zorva::web {
namespace {

WasmRows& Rows() { return TheBrowserEngine().rows; }

// The table index that a function pointer is in WebAssembly, and back.
int TableIndex(const void* function) { return static_cast<int>(reinterpret_cast<uintptr_t>(function)); }

WasmRow RowAt(int index) { return reinterpret_cast<WasmRow>(static_cast<uintptr_t>(index)); }

bool IsNamed(const BuiltinFunc& row, const char* name) {
  const size_t length = std::strlen(row.name);
  if (std::strlen(name) != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (std::tolower(static_cast<unsigned char>(row.name[i])) != name[i]) return false;
  return true;
}

void Prepare(const GlyxImage& glyx) {
  const GlyxStatements<Statement>& s = glyx.statements;
  for (const Statement* statement :
       {s.palette.get(), s.channels[0].get(), s.channels[1].get(), s.channels[2].get(), s.pixel.get()})
    if (statement != nullptr && statement->HasCode()) Rows().Find(*statement);
}

}  // namespace
}  // namespace zorva::web

using namespace zorva;
using namespace zorva::web;

extern "C" {

void zorva_engine(int compiled) { TheBrowserEngine().compiledRows = compiled != 0; }

int zorva_engine_passes(int compiled) {
  const BrowserEngine& engine = TheBrowserEngine();
  return static_cast<int>(compiled ? engine.compiledPasses : engine.evaluatedPasses);
}

int zorva_wasm_request(void) {
  uint32_t request = 0;
  std::string module;
  if (!Rows().NextRequest(&request, &module)) return 0;
  Result().bytes.assign(module.begin(), module.end());
  return static_cast<int>(request);
}

int zorva_wasm_install(int request, int row) {
  return Rows().Install(static_cast<uint32_t>(request), RowAt(row)) ? 1 : 0;
}

int zorva_wasm_released(void) { return TableIndex(reinterpret_cast<const void*>(Rows().NextReleased())); }

int zorva_wasm_routine(const char* name) {
  for (const BuiltinFunc& row : kBuiltins)
    if (row.routine != nullptr && IsNamed(row, TextOrEmpty(name))) return TableIndex(row.routine);
  return 0;
}

int zorva_wasm_prepare(const char* text) {
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(TextOrEmpty(text), errors)) return 0;
  Prepare(glyx);
  return 1;
}

void zorva_wasm_prepare_current(void) {
  if (TheSession().current) Prepare(*TheSession().current);
}

}  // extern "C"
