#include "codegen/statement.h"

#include <cstring>

#include "codegen/code_gen.h"
#include "lang/parser.h"

namespace zorva {

namespace {

void Bind(RenderContext& context, int32_t slot, int32_t value) {
  if (slot >= 0 && slot < kVariableSlots) context.slots[slot] = value;
}

int32_t SlotOf(const SymbolTable& symbols, const char* name) {
  const int32_t index = symbols.Lookup(name);
  return index < 0 ? -1 : symbols.At(index).slot;
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

void Statement::BindRow(RenderContext& context, int32_t y) const { Bind(context, bound.y, y); }

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
