#include "codegen/statement.h"

#include <cstring>

#include "codegen/code_gen.h"
#include "lang/parser.h"
#include "sys/fault_guard.h"

namespace zorva {

namespace {

uint32_t lastSerial = 0;

using RowRoutine = void(__attribute__((stdcall)) *)(RenderContext* context);

void Bind(RenderContext& context, int32_t slot, int32_t value) {
  if (slot >= 0 && slot < kVariableSlots) context.slots[slot] = value;
}

void RunRowsOf(const Statement& statement, RenderContext& context) {
  const RowRoutine routine = reinterpret_cast<RowRoutine>(statement.compiled->code->entry);
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    Bind(context, statement.bound.y, y);
    routine(&context);
  }
}

struct PassLoop {
  const Pass* passes;
  int count;
  int next;  // the pass to run after the current one, also after a fault
  bool completed;
};

bool HasCode(const Statement& statement) { return statement.compiled && statement.compiled->code; }

// Runs under the fault guard, which may abandon it at any row: it owns
// nothing that would need destroying.
void RunPassLoop(void* argument) {
  PassLoop& loop = *static_cast<PassLoop*>(argument);
  while (loop.next < loop.count) {
    const Pass& pass = loop.passes[loop.next++];
    if (HasCode(*pass.statement)) RunRowsOf(*pass.statement, *pass.context);
    else loop.completed = false;
  }
}

int32_t SlotOf(const SymbolTable& symbols, const char* name) {
  const int32_t index = symbols.Lookup(name);
  return index < 0 ? -1 : symbols.At(index).slot;
}

}  // namespace

bool RunPasses(const Pass* passes, int count) {
  PassLoop loop{passes, count, 0, true};
  while (loop.next < loop.count) {
    if (!sys::RunGuarded(RunPassLoop, &loop)) loop.completed = false;
  }
  return loop.completed;
}

CompiledExpr::CompiledExpr() : serial(++lastSerial) {}

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
  if (!compiled->Compile(*tree, *symbols)) return false;
  const SymbolTable& table = *symbols;
  bound = {SlotOf(table, "X"), SlotOf(table, "Y"), SlotOf(table, "x"),  SlotOf(table, "y"),
           SlotOf(table, "t"), SlotOf(table, "T"), SlotOf(table, "xm"), SlotOf(table, "ym")};
  return true;
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
  Bind(context, bound.X, setup.width);
  Bind(context, bound.Y, setup.height);
  Bind(context, bound.x, 0);
  Bind(context, bound.y, 0);
  Bind(context, bound.t, setup.t);
  Bind(context, bound.T, setup.T);
  Bind(context, bound.xm, setup.xm);
  Bind(context, bound.ym, setup.ym);
}

bool Statement::RunRows(RenderContext& context) const {
  const Pass pass{this, &context};
  return RunPasses(&pass, 1);
}

}  // namespace zorva
