// The calls that give what the zorva tool gives for the same arguments, so
// that the page can be checked against it byte for byte.
#include <string>

#include "codegen/random.h"
#include "codegen/statement.h"
#include "frame/frame.h"
#include "image/glyx_image.h"
#include "lang/error_record.h"
#include "lang/statement_roles.h"
#include "web/api/api_state.h"
#include "web/api/zorva_api.h"

namespace zorva::web {
namespace {

// The tool's limits on its options, with its words for a value beyond them.
constexpr int32_t kMostFrames = 1000000000;
constexpr int32_t kFarthest = 1000000000;
constexpr int32_t kLargestSeed = 2147483647;

// The tool starts every run with the generator at 1 (or at its --seed); the
// session's generator is put back afterwards, so that these calls do not
// change what the live picture draws.
class FreshRandom {
 public:
  explicit FreshRandom(uint32_t seed) : saved(RandomState()) { SeedRandom(seed); }
  ~FreshRandom() { SeedRandom(saved); }
  FreshRandom(const FreshRandom&) = delete;
  FreshRandom& operator=(const FreshRandom&) = delete;

 private:
  uint32_t saved;
};

bool InRange(const char* option, int64_t value, int64_t low, int64_t high) {
  if (value >= low && value <= high) return true;
  ResultText(std::string(option) + " takes a whole number from " + std::to_string(low) + " to " +
             std::to_string(high));
  return false;
}

// False with the message as the result: a text that fails for want of
// memory has none.
bool Failed(const ErrorRecord& errors) {
  const char* message = MessageOf(errors);
  ResultText(message != nullptr ? message : "");
  return false;
}

bool Check(const char* text) {
  GlyxStatements<Statement> glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text, errors)) return Failed(errors);
  ResultText(glyx.Text("; "));
  return true;
}

bool Render(const char* text, int frames, int step, int xm, int ym, const char* audio) {
  if (!InRange("--frames", frames, 1, kMostFrames) || !InRange("--step", step, 1, kAreaSize) ||
      !InRange("--xm", xm, -kFarthest, kFarthest) || !InRange("--ym", ym, -kFarthest, kFarthest))
    return false;
  AudioFeed feed;
  if (!MakeBuiltinFeed(audio, &feed)) {
    ResultText(std::string("unknown audio feed '") + audio + "'");
    return false;
  }
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text, errors)) return Failed(errors);
  if (!glyx.Resize(kAreaSize, kAreaSize, step, kPeriod)) {
    ResultText("out of memory");
    return false;
  }
  const FreshRandom random(1);
  Result().bytes.clear();
  AppendRawFrames(glyx, feed, frames, xm, ym, &Result().bytes);
  return true;
}

bool Mutate(const char* text, unsigned seed, int times) {
  if (!InRange("--seed", seed, 0, kLargestSeed) || !InRange("--times", times, 0, kMostFrames)) return false;
  GlyxImage glyx;
  ErrorRecord errors;
  if (!glyx.CreateFromText(text, errors)) return Failed(errors);
  const FreshRandom random(seed);
  std::string lines;
  for (int i = 0; i < times; ++i) {
    glyx.Mutate(1);
    if (i > 0) lines += '\n';
    lines += glyx.ExpressionString("; ");
  }
  ResultText(std::move(lines));
  return true;
}

}  // namespace
}  // namespace zorva::web

extern "C" {

int zorva_check(const char* text) { return zorva::web::Check(zorva::web::TextOrEmpty(text)); }

int zorva_render(const char* text, int frames, int step, int xm, int ym, const char* audio) {
  using zorva::web::TextOrEmpty;
  return zorva::web::Render(TextOrEmpty(text), frames, step, xm, ym, TextOrEmpty(audio));
}

int zorva_mutate(const char* text, unsigned seed, int times) {
  return zorva::web::Mutate(zorva::web::TextOrEmpty(text), seed, times);
}

}
