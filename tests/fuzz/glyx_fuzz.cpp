// libFuzzer's target: arbitrary bytes as the text of an expression, taken the
// whole way the plug-in takes a pasted or typed one. The first byte picks the
// evaluation step (8 to 256), the rest is the text, up to its first NUL.
// Besides the sanitizers' findings, a build that fails without a message and
// a bounded text that is not what it claims stop the run.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "codegen/random.h"
#include "image/glyx_image.h"

namespace {

constexpr int32_t kArea = 256;
constexpr int kMutations = 3;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The bounded text is the whole text when it fits, or else its longest prefix
// that leaves room for the NUL; nothing is written past the buffer (ASan
// watches the heap block's end).
void CheckBoundedText(const zorva::GlyxImage& glyx, size_t capacity) {
  const std::string whole = glyx.ExpressionString("; ");
  std::vector<char> buffer(capacity);
  const zorva::BoundedText text = glyx.ExpressionText(buffer.data(), capacity, "; ");
  Require(text.length < capacity && buffer[text.length] == '\0');
  Require(text.complete == (text.length == whole.size()));
  Require(whole.compare(0, text.length, buffer.data(), text.length) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t step = 8 << (data[0] % 6);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  SeedRandom(1);  // each input mutates the same way every time it runs
  zorva::GlyxImage glyx;
  zorva::ErrorRecord errors;
  if (!glyx.CreateFromText(text.c_str(), errors)) {
    Require(errors.HasMessage());
    return 0;
  }
  Require(glyx.Resize(kArea, kArea, step, kArea));
  for (int frame = 0; frame < 2; ++frame) glyx.Render(frame * 37, frame * 91);
  for (int i = 0; i < kMutations; ++i) {
    glyx.Mutate(1);
    glyx.Render(i, kArea - i);
  }
  CheckBoundedText(glyx, 16);
  CheckBoundedText(glyx, 2048);
  return 0;
}
