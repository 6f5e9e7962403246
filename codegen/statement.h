// One statement of an expression: its tree, its symbols and its compiled code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "codegen/code_buffer.h"
#include "codegen/render_context.h"
#include "lang/error_record.h"
#include "lang/expr_tree.h"
#include "lang/symbol_table.h"
#include "lang/text_form.h"

namespace zorva {

class CompiledExpr {
 public:
  // Runs the code generator; true when it produced code.
  bool Compile(const ExprTree& tree, SymbolTable& symbols);

  std::unique_ptr<CodeBuffer> code;
};

// Where a render pass writes and what its variables hold.
struct PassSetup {
  uint8_t* destination;
  int32_t width;
  int32_t height;
  int32_t step;
  int32_t t;
  int32_t T;
  int32_t xm;
  int32_t ym;
  int32_t channel;
  SourceImage source;
};

class Statement;

// A pass: a statement and the context set up for it.
struct Pass {
  const Statement* statement;
  RenderContext* context;
};

// Runs the passes in order: a fault (the quotient or remainder of
// -2147483648 by -1) ends only the pass it happens in, at its row. False when
// a pass had no code or ended in a fault. The engine is chosen at link time:
// pass_engine_generated.cpp runs the generated code under one fault guard
// (IA-32), pass_engine_evaluator.cpp the reference evaluator (elsewhere).
bool RunPasses(const Pass* passes, int count);

// The slots of the variables that every pass binds, -1 for those the
// statement does not use; looked up once a compilation instead of by name
// once a pass and once a row.
struct BoundSlots {
  int32_t X = -1, Y = -1, x = -1, y = -1, t = -1, T = -1, xm = -1, ym = -1;
};

class Statement {
 public:
  // Parses one statement at `position` (moving it to the next statement) and
  // compiles it. Null when either fails; a parse error is in `errors`.
  static std::unique_ptr<Statement> FromText(const char*& position, ErrorRecord& errors);

  // For the texts the system supplies itself, which always parse.
  static std::unique_ptr<Statement> FromFixedText(const char* text);

  bool HasCode() const { return compiled && compiled->code; }

  // Compiles the tree anew, releasing the old code first.
  bool Recompile();

  // Edits the tree at random (mode 1 in the system), then recompiles it.
  // Defined with the mutation itself, in image/mutation.cpp.
  void Mutate(int32_t mode);

  bool AssignsTo(const char* name) const { return zorva::AssignsTo(*tree, *symbols, name); }
  std::string Text() const { return StatementString(*tree, *symbols); }
  StatementView View() const { return {tree.get(), symbols.get()}; }

  // Stores value in the variable's slot when the statement uses the variable.
  void BindVariable(RenderContext& context, const char* name, int32_t value) const;

  // Binds y for the row that the next call of the row routine renders.
  void BindRow(RenderContext& context, int32_t y) const;

  // Fills the context's fixed words and binds X, Y, x, y, t, T, xm and ym.
  // Slots that no binding fills read as 0.
  void SetupContext(RenderContext& context, const PassSetup& setup) const;

  // Renders every row, from y = height - step down to 0, each call of the row
  // routine writing one row at the context's output pointer. False without
  // code, or when a fault in the generated code ended the pass at its row.
  bool RunRows(RenderContext& context) const;

  std::unique_ptr<ExprTree> tree;
  std::unique_ptr<SymbolTable> symbols;
  std::unique_ptr<CompiledExpr> compiled;
  BoundSlots bound;  // of the last compilation
};

}  // namespace zorva
