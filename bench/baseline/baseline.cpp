#include "bench/baseline/baseline.h"

#include <cstring>

#include "codegen/builtin_table.h"
#include "codegen/routines.h"  // the baseline's names, by the build's definitions
#include "lang/parser.h"
#include "sys/fault_guard.h"

namespace zorva::bench {

namespace {

const void* BaselineRoutine(int row) {
  switch (row) {
    case kBuiltinSin: return reinterpret_cast<const void*>(SineOfSigned);
    case kBuiltinCos: return reinterpret_cast<const void*>(CosineOfSigned);
    case kBuiltinTan: return reinterpret_cast<const void*>(TanRoutine);
    case kBuiltinAsin: return reinterpret_cast<const void*>(AsinRoutine);
    case kBuiltinAcos: return reinterpret_cast<const void*>(AcosRoutine);
    case kBuiltinAtan: return reinterpret_cast<const void*>(AtanRoutine);
    case kBuiltinDsin: return reinterpret_cast<const void*>(DsinRoutine);
    case kBuiltinDecay: return reinterpret_cast<const void*>(DecayRoutine);
    case kBuiltinExp: return reinterpret_cast<const void*>(ExpRoutine);
    case kBuiltinRand: return reinterpret_cast<const void*>(RandRoutine);
    case kBuiltinTheta: return reinterpret_cast<const void*>(ThetaRoutine);
    case kBuiltinRad: return reinterpret_cast<const void*>(RadRoutine);
    case kBuiltinSqrt: return reinterpret_cast<const void*>(SqrtRoutine);
    case kBuiltinFft: return reinterpret_cast<const void*>(FftRoutine);
    case kBuiltinVol: return reinterpret_cast<const void*>(VolRoutine);
    case kBuiltinPal: return reinterpret_cast<const void*>(PalRoutine);
    default: return nullptr;  // compiled inline
  }
}

struct BaselineTable {
  BuiltinFunc rows[kBuiltinCount];
  BaselineTable() {
    for (int row = 0; row < kBuiltinCount; ++row) {
      rows[row] = kBuiltins[row];
      rows[row].routine = BaselineRoutine(row);
    }
  }
};

// Made at first use: the product's table is filled by its own initialiser.
const BuiltinFunc* BaselineRows() {
  static const BaselineTable table;
  return table.rows;
}

// The passes as they were set up and run: variables bound by name, "y"
// looked up again for every row.
void BindVariable(const Statement& statement, RenderContext& context, const char* name, int32_t value) {
  const int32_t index = statement.symbols->Lookup(name);
  if (index < 0) return;
  const int32_t slot = statement.symbols->At(index).slot;
  if (slot >= 0 && slot < kVariableSlots) context.slots[slot] = value;
}

void SetupContext(const Statement& statement, RenderContext& context, const PassSetup& setup) {
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
  BindVariable(statement, context, "X", setup.width);
  BindVariable(statement, context, "Y", setup.height);
  BindVariable(statement, context, "x", 0);
  BindVariable(statement, context, "y", 0);
  BindVariable(statement, context, "t", setup.t);
  BindVariable(statement, context, "T", setup.T);
  BindVariable(statement, context, "xm", setup.xm);
  BindVariable(statement, context, "ym", setup.ym);
}

using RowRoutine = void(__attribute__((stdcall)) *)(RenderContext* context);

struct RowLoop {
  const Statement* statement;
  RenderContext* context;
  RowRoutine routine;
};

void RunRowLoop(void* argument) {
  const RowLoop& loop = *static_cast<RowLoop*>(argument);
  RenderContext& context = *loop.context;
  for (int32_t y = context.height - context.step; y >= 0; y -= context.step) {
    BindVariable(*loop.statement, context, "y", y);
    loop.routine(&context);
  }
}

bool RunRows(const Statement& statement, RenderContext& context) {
  if (!statement.compiled || !statement.compiled->code) return false;
  RowLoop loop{&statement, &context, reinterpret_cast<RowRoutine>(statement.compiled->code->entry)};
  return sys::RunGuarded(RunRowLoop, &loop);
}

void RunPass(const Statement& statement, uint8_t* destination, int32_t width, int32_t height, int32_t channel,
             const FrameInputs& in) {
  RenderContext context;
  SetupContext(statement, context, {destination, width, height, 1, in.t, in.T, in.xm, in.ym, channel, SourceImage{}});
  RunRows(statement, context);
}

}  // namespace

std::unique_ptr<BaselineStatement> BaselineStatement::FromText(const char*& position, ErrorRecord& errors) {
  auto baseline = std::make_unique<BaselineStatement>();
  baseline->statement = std::make_unique<Statement>();
  Statement& statement = *baseline->statement;
  statement.symbols = std::make_unique<SymbolTable>(BaselineRows());
  statement.tree = ParseStatement(position, *statement.symbols, errors);
  if (!statement.tree || !statement.Recompile()) return nullptr;
  return baseline;
}

std::unique_ptr<BaselineStatement> BaselineStatement::FromFixedText(const char* text) {
  ErrorRecord discarded;
  return FromText(text, discarded);
}

void BaselineGlyx::Render(PixelImage& image, const FrameInputs& in) const {
  uint8_t channels[3][256] = {};
  for (int c = 0; c < 3; ++c) {
    const BaselineStatement* statement =
        statements.palette ? statements.palette.get() : statements.channels[c].get();
    if (statement) RunPass(*statement->statement, channels[c], 256, 1, c, in);
  }
  for (int i = 0; i < 256; ++i) {
    if (statements.hslMode) {
      const Rgb rgb = HslToRgb(channels[0][i], channels[1][i], channels[2][i]);
      channels[0][i] = rgb.red;
      channels[1][i] = rgb.green;
      channels[2][i] = rgb.blue;
    }
    image.SetEntry(i, channels[0][i], channels[1][i], channels[2][i]);
  }
  RunPass(*statements.pixel->statement, image.bits, kFrameSide, kFrameSide, 0, in);
}

}  // namespace zorva::bench
