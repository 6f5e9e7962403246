#include "codegen/statement.h"

#include <cstring>

#include "codegen/code_gen.h"
#include "lang/parser.h"
#include "sys/fault_guard.h"

namespace zorva {

namespace {

using RowRoutine = void(__attribute__((stdcall)) *)(RenderContext* context);

struct RowLoop {
  const Statement* statement;
  RenderContext* context;
  RowRoutine routine;
};

// Runs under the fault guard, which may abandon it at any row: it owns
// nothing that would need destroying.
void RunRowLoop(void* argument) {
  const RowLoop& loop = *static_cast<RowLoop*>(argument);
  RenderContext& context = *loop.context;
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    loop.statement->BindVariable(context, "y", y);
    loop.routine(&context);
  }
}

}  // namespace

bool CompiledExpr::Compile(const ExprTree& tree, SymbolTable& symbols) {
  code = zorva::Compile(tree, symbols);
  return code != nullptr;
}

std::unique_ptr<Statement> Statement::FromText(const char*& position, ErrorRecord& errors) {
  auto statement = std::make_unique<Statement>();
  statement->symbols = std::make_unique<SymbolTable>();
  statement->tree = ParseStatement(position, *statement->symbols, errors);
  if (!statement->tree || !statement->Recompile()) return nullptr;
  return statement;
}

std::unique_ptr<Statement> Statement::FromFixedText(const char* text) {
  ErrorRecord discarded;
  return FromText(text, discarded);
}

bool Statement::Recompile() {
  if (!tree || !symbols) return false;
  compiled.reset();
  compiled = std::make_unique<CompiledExpr>();
  return compiled->Compile(*tree, *symbols);
}

void Statement::BindVariable(RenderContext& context, const char* name, int32_t value) const {
  const int32_t index = symbols->Lookup(name);
  if (index < 0) return;
  const int32_t slot = symbols->At(index).slot;
  if (slot >= 0 && slot < kVariableSlots) context.slots[slot] = value;
}

void Statement::SetupContext(RenderContext& context, const PassSetup& setup) const {
  std::memset(&context, 0, sizeof context);
  context.step = setup.step;
  context.width = setup.width;
  context.height = setup.height;
  context.centerX = setup.width / 2;
  context.centerY = setup.height / 2;
  context.out = setup.destination;
  context.stride = (setup.width / setup.step + 3) / 4 * 4;
  context.channel = setup.channel;
  context.source = setup.source;
  BindVariable(context, "X", setup.width);
  BindVariable(context, "Y", setup.height);
  BindVariable(context, "x", 0);
  BindVariable(context, "y", 0);
  BindVariable(context, "t", setup.t);
  BindVariable(context, "T", setup.T);
  BindVariable(context, "xm", setup.xm);
  BindVariable(context, "ym", setup.ym);
}

bool Statement::RunRows(RenderContext& context) const {
  if (!compiled || !compiled->code) return false;
  RowLoop loop{this, &context, reinterpret_cast<RowRoutine>(compiled->code->entry)};
  return zorva::sys::RunGuarded(RunRowLoop, &loop);
}

}  // namespace zorva
