// The trees of tests/codegen/differential_test.cpp, grown alike: each
// statement a mutation compiled anew, rendered as a palette pass or as the
// area at step 8, through its compiled row and through the evaluator.
#include <emscripten/emscripten.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "codegen/pass_engine_wasm.h"
#include "codegen/random.h"
#include "codegen/reference_evaluator.h"
#include "codegen/sound_frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

constexpr int kLineage = 50;  // mutations of one start before the next built-in
constexpr uint32_t kSeed = 20261206;

struct Corpus {
  int mutations = 0;
  int done = 0;
  int start = 0;
  std::unique_ptr<GlyxImage> glyx;
  uint32_t mutationState = 0;
  std::vector<const Statement*> statements;
  std::vector<bool> palettePass;
  uint8_t sourcePixels[16 * 16];
  std::vector<uint8_t> module;
  std::string text;
  int faults = 0;
};

Corpus corpus;

struct Rendering {
  bool completed;
  std::vector<uint8_t> bytes;
};

Rendering RenderWith(const Statement& statement, bool palettePass, WasmRow row) {
  PassSetup setup = palettePass ? PassSetup{nullptr, 256, 1, 1, 37, 5, 100, 50, 1, {}}
                                : PassSetup{nullptr, 256, 256, 8, 37, 5, 100, 50, 1, {}};
  setup.source = SourceImage{0, corpus.sourcePixels, nullptr, nullptr, 16, 16, 16};
  const int32_t stride = (setup.width / setup.step + 3) / 4 * 4;
  std::vector<uint8_t> bytes(static_cast<size_t>(stride) * (setup.height / setup.step), 0xEE);
  setup.destination = bytes.data();
  RenderContext context;
  statement.SetupContext(context, setup);
  SeedRandom(kSeed);
  const bool completed = row ? RunCompiledRows(row, statement, context) : EvaluateRows(statement, context);
  return {completed, bytes};
}

void Collect(const Statement* statement, bool palettePass) {
  corpus.statements.push_back(statement);
  corpus.palettePass.push_back(palettePass);
}

}  // namespace
}  // namespace zorva

using namespace zorva;

extern "C" {

EMSCRIPTEN_KEEPALIVE void corpus_begin(int mutations) {
  for (int i = 0; i < kWaveformBytes; ++i) soundWaveform[i] = static_cast<uint8_t>(i * 37 + 11);
  for (int i = 0; i < kSpectrumBytes; ++i) soundSpectrum[i] = static_cast<uint8_t>(255 - i * 3);
  for (int i = 0; i < 16 * 16; ++i) corpus.sourcePixels[i] = static_cast<uint8_t>(i * 7);
  corpus.mutations = mutations;
  SeedRandom(kSeed);
}

// The next mutation; the number of statements it compiled anew, 0 at the end.
EMSCRIPTEN_KEEPALIVE int corpus_next(void) {
  if (corpus.done >= corpus.mutations) return 0;
  if (corpus.glyx) SeedRandom(corpus.mutationState);  // rendering reseeded the generator
  if (!corpus.glyx || corpus.done % kLineage == 0) {
    corpus.glyx = std::make_unique<GlyxImage>();
    ErrorRecord errors;
    corpus.glyx->CreateFromText(kBuiltinGlyxes[corpus.start++ % kBuiltinGlyxCount], errors);
  }
  corpus.glyx->Mutate(1);
  corpus.mutationState = RandomState();
  ++corpus.done;
  corpus.statements.clear();
  corpus.palettePass.clear();
  const GlyxStatements<Statement>& s = corpus.glyx->statements;
  if (s.palette) Collect(s.palette.get(), true);
  else
    for (const auto& channel : s.channels) Collect(channel.get(), true);
  Collect(s.pixel.get(), false);
  return static_cast<int>(corpus.statements.size());
}

// Statement i's module: its size, the bytes at corpus_bytes().
EMSCRIPTEN_KEEPALIVE int corpus_module(int i) {
  corpus.module = CompileToWasm(*corpus.statements[i], CoreAddresses());
  return static_cast<int>(corpus.module.size());
}

EMSCRIPTEN_KEEPALIVE const uint8_t* corpus_bytes(void) { return corpus.module.data(); }

EMSCRIPTEN_KEEPALIVE const char* corpus_text(int i) {
  corpus.text = corpus.statements[i]->Text();
  return corpus.text.c_str();
}

// 1 when the compiled row, at its table index, renders statement i as the
// evaluator does: the same bytes, and the same fault.
EMSCRIPTEN_KEEPALIVE int corpus_check(int i, int row) {
  const Statement& statement = *corpus.statements[i];
  const bool palettePass = corpus.palettePass[i];
  const Rendering compiled =
      RenderWith(statement, palettePass, reinterpret_cast<WasmRow>(static_cast<uintptr_t>(row)));
  const Rendering evaluated = RenderWith(statement, palettePass, nullptr);
  if (!evaluated.completed) ++corpus.faults;
  return compiled.completed == evaluated.completed && compiled.bytes == evaluated.bytes;
}

EMSCRIPTEN_KEEPALIVE int corpus_faults(void) { return corpus.faults; }

}  // extern "C"
