// The passes of a frame as the plug-in runs them: the generated row routines,
// under one fault guard.
#include "codegen/statement.h"
#include "sys/fault_guard.h"

namespace zorva {
namespace {

using RowRoutine = void(__attribute__((stdcall)) *)(RenderContext* context);

void RunRowsOf(const Statement& statement, RenderContext& context) {
  const RowRoutine routine = reinterpret_cast<RowRoutine>(statement.compiled->code->entry);
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    statement.BindRow(context, y);
    routine(&context);
  }
}

struct PassLoop {
  const Pass* passes;
  int count;
  int next;  // the pass to run after the current one, also after a fault
  bool completed;
};

// Runs under the fault guard, which may abandon it at any row: it owns
// nothing that would need destroying.
void RunPassLoop(void* argument) {
  PassLoop& loop = *static_cast<PassLoop*>(argument);
  while (loop.next < loop.count) {
    const Pass& pass = loop.passes[loop.next++];
    if (pass.statement->HasCode()) RunRowsOf(*pass.statement, *pass.context);
    else loop.completed = false;
  }
}

}  // namespace

// A fault ends only its pass: the passes after it run as if each had a guard
// of its own.
bool RunPasses(const Pass* passes, int count) {
  PassLoop loop{passes, count, 0, true};
  while (loop.next < loop.count) {
    if (!sys::RunGuarded(RunPassLoop, &loop)) loop.completed = false;
  }
  return loop.completed;
}

}  // namespace zorva
