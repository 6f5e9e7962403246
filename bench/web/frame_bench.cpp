// Whole frames of the built-in expressions in the browser's WebAssembly, as
// zorva bench times them natively: the palette passes and the 256 x 256 pixel
// pass at step 1, with the ramp feed's sound. frame_bench.mjs drives it and
// chooses the engine through the page's C API, which is linked in.
#include <emscripten/emscripten.h>

#include <memory>

#include "audio/audio_feed.h"
#include "codegen/pass_engine_wasm.h"
#include "codegen/sound_frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

constexpr int32_t kSide = 256;
constexpr int32_t kPeriod = 256;

std::unique_ptr<GlyxImage> glyx;

// Asks for the rows of the expression's statements.
void Prepare() {
  const GlyxStatements<Statement>& s = glyx->statements;
  for (const Statement* statement :
       {s.palette.get(), s.channels[0].get(), s.channels[1].get(), s.channels[2].get(), s.pixel.get()})
    if (statement != nullptr && statement->HasCode()) TheBrowserEngine().rows.Find(*statement);
}

}  // namespace
}  // namespace zorva

using namespace zorva;

extern "C" {

EMSCRIPTEN_KEEPALIVE int bench_builtins(void) {
  AudioFeed feed;
  MakeBuiltinFeed("ramp", &feed);
  SoundRows rows;
  feed.Fill(0, 60, rows);
  CopySoundFrame(rows.waveform, rows.channels, rows.spectrum[0]);
  return kBuiltinGlyxCount;
}

// Built-in i as the expression to time; its rows are asked for.
EMSCRIPTEN_KEEPALIVE int bench_select(int i) {
  glyx = std::make_unique<GlyxImage>();
  ErrorRecord errors;
  if (!glyx->CreateFromText(kBuiltinGlyxes[i], errors) || !glyx->Resize(kSide, kSide, 1, kPeriod)) return 0;
  Prepare();
  return 1;
}

EMSCRIPTEN_KEEPALIVE void bench_frames(int count) {
  for (int i = 0; i < count; ++i) glyx->Render(0, 0);
}

// A mutation of the expression, whose new rows are asked for.
EMSCRIPTEN_KEEPALIVE void bench_mutate(void) {
  glyx->Mutate(1);
  Prepare();
}

}  // extern "C"
