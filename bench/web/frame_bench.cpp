// Whole frames of the built-in expressions in the browser's WebAssembly, as
// zorva bench times them natively: the palette passes and the 256 x 256 pixel
// pass at step 1, with the ramp feed's sound. frame_bench.mjs drives it and
// chooses the engine through the page's C API, which is linked in.
#include <emscripten/emscripten.h>

#include <memory>

#include <cstring>

#include "audio/audio_feed.h"
#include "bench/frame_road.h"
#include "codegen/pass_engine_wasm.h"
#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

// The limit's unit (limit_unit.cpp, printed by zorva_limit_source): each
// built-in's passes, and the copies of the sound frame and the random state
// that its routines read.
typedef void (*UnitPass)(int32_t* context, const void* environment);
struct UnitPasses {
  UnitPass pass[5];  // palette, channels 0 to 2, pixel
};
extern "C" const UnitPasses unitBuiltins[];
extern "C" void EnterUnit(const uint8_t* waveform, const uint8_t* spectrum, uint32_t state);
extern "C" uint32_t LeaveUnit();

namespace zorva {
namespace {

constexpr int32_t kSide = 256;
constexpr int32_t kPeriod = 256;

std::unique_ptr<GlyxImage> glyx;
int selected = 0;
PixelImage limitImage;
int32_t limitFrame = 0;

void RunUnitPass(const Statement& statement, RenderContext& context) {
  const GlyxStatements<Statement>& s = glyx->statements;
  const Statement* roles[5] = {s.palette.get(), s.channels[0].get(), s.channels[1].get(), s.channels[2].get(),
                               s.pixel.get()};
  for (int role = 0; role < 5; ++role) {
    if (roles[role] != &statement) continue;
    EnterUnit(soundWaveform, soundSpectrum, RandomState());
    unitBuiltins[selected].pass[role](reinterpret_cast<int32_t*>(&context), nullptr);
    SeedRandom(LeaveUnit());
  }
}

void RenderLimitFrame(int32_t t) {
  bench::RenderFrame(glyx->statements, limitImage, {t, kPeriod, 0, 0}, RunUnitPass);
}

bool SameFrame(const PixelImage& a, const PixelImage& b) {
  return std::memcmp(a.header, b.header, kBitmapHeaderBytes + kColorTableBytes) == 0 &&
         std::memcmp(a.bits, b.bits, static_cast<size_t>(kSide) * kSide) == 0;
}

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
  selected = i;
  glyx = std::make_unique<GlyxImage>();
  ErrorRecord errors;
  if (!glyx->CreateFromText(kBuiltinGlyxes[i], errors) || !glyx->Resize(kSide, kSide, 1, kPeriod)) return 0;
  Prepare();
  return 1;
}

EMSCRIPTEN_KEEPALIVE void bench_frames(int count) {
  for (int i = 0; i < count; ++i) glyx->Render(0, 0);
}

// Frames of the selected built-in through the limit's unit.
EMSCRIPTEN_KEEPALIVE void bench_limit_frames(int count) {
  for (int i = 0; i < count; ++i) RenderLimitFrame(limitFrame++);
}

// 1 when the limit renders the selected built-in's first frame as the
// engine does, with the same random draws.
EMSCRIPTEN_KEEPALIVE int bench_limit_check(void) {
  if (!limitImage.bits && !limitImage.Allocate(kSide, kSide)) return 0;
  glyx->Resize(kSide, kSide, 1, kPeriod);
  SeedRandom(1);
  glyx->Render(0, 0);
  SeedRandom(1);
  RenderLimitFrame(0);
  return SameFrame(glyx->image, limitImage) ? 1 : 0;
}

// A mutation of the expression, whose new rows are asked for.
EMSCRIPTEN_KEEPALIVE void bench_mutate(void) {
  glyx->Mutate(1);
  Prepare();
}

}  // extern "C"
