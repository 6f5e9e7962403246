// Trees grown by mutation from every built-in expression render the same
// bytes through the generated code and through the reference evaluator,
// print texts that read back as themselves, and render as those texts do.
// ZORVA_MUTATIONS sets how many mutations a run makes (scripts/soak --mutations makes
// many more under AddressSanitizer).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "codegen/random.h"
#include "codegen/sound_frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"
#include "tests/codegen/jit_support.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's runtime exports it; GCC installs no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zorva::testing {
namespace {

constexpr int kDefaultMutations = 20000;
constexpr int kLineage = 50;  // mutations of one start before the next built-in
constexpr uint32_t kSeed = 20261206;

int MutationCount() {
  const char* setting = std::getenv("ZORVA_MUTATIONS");
  return setting ? std::atoi(setting) : kDefaultMutations;
}

// Heap bytes in use, under AddressSanitizer: every start must give back all
// that its mutations took. (LeakSanitizer's check at exit cannot stop the
// process's threads under an emulator.)
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return 0;
#endif
}

// A palette or channel statement renders as a palette pass, the pixel
// statement as the plug-in's area at step 8. Both engines draw the same
// numbers for rand.
Rendering RenderWith(const Statement& statement, bool palettePass, Engine engine, const uint8_t* sourcePixels) {
  PassSetup setup = palettePass ? Pass(nullptr, 256, 1) : Pass(nullptr, 256, 256, 8);
  setup.t = 37;
  setup.T = 5;
  setup.xm = 100;
  setup.ym = 50;
  setup.channel = 1;
  setup.source = SourceImage{0, sourcePixels, nullptr, nullptr, 16, 16, 16};
  SeedRandom(kSeed);
  return Render(statement, setup, engine);
}

class MutationDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kWaveformBytes; ++i) soundWaveform[i] = static_cast<uint8_t>(i * 37 + 11);
    for (int i = 0; i < kSpectrumBytes; ++i) soundSpectrum[i] = static_cast<uint8_t>(255 - i * 3);
    sourcePixels.resize(16 * 16);
    for (size_t i = 0; i < sourcePixels.size(); ++i) sourcePixels[i] = static_cast<uint8_t>(i * 7);
  }

  void Check(const Statement& statement, bool palettePass) {
    const std::string text = statement.Text();
    std::unique_ptr<Statement> reread = Build(text.c_str());
    ASSERT_TRUE(reread) << text;
    ASSERT_EQ(reread->Text(), text);
    const Rendering jit = RenderWith(statement, palettePass, Engine::Jit, sourcePixels.data());
    const Rendering evaluated = RenderWith(statement, palettePass, Engine::Evaluator, sourcePixels.data());
    ASSERT_EQ(jit.completed, evaluated.completed) << text;
    ASSERT_EQ(jit.bytes, evaluated.bytes) << text;
    // rand's draws follow the order in which the code evaluates operands,
    // which the code generator chooses afresh for the text.
    if (text.find("rand(") != std::string::npos) return;
    ASSERT_EQ(RenderWith(*reread, palettePass, Engine::Jit, sourcePixels.data()).bytes, jit.bytes) << text;
  }

  // The statements that a mutation of the expression compiled anew.
  void CheckMutated(const GlyxImage& glyx) {
    const GlyxStatements<Statement>& statements = glyx.statements;
    if (statements.palette) {
      Check(*statements.palette, true);
    } else {
      for (const auto& channel : statements.channels) Check(*channel, true);
    }
    Check(*statements.pixel, false);
  }

  std::vector<uint8_t> sourcePixels;
};

// A product with 0 folds to 0 for good, the text showing it, and gives back
// its operands, also those the compiler had already reduced (x*5, x^2, x/4).
TEST_F(MutationDifferential, ProductWithZeroFoldsAndGivesBackItsOperands) {
  const size_t heapBefore = HeapInUse();
  for (auto [text, folded] : {std::pair{"(x*5)*0", "0"}, {"(x^2)*0", "0"}, {"(x/4+sin(x))*0", "0"},
                              {"t+x*0", "t+0"}, {"0*x", "0*x"}}) {
    std::unique_ptr<Statement> statement = Build(text);
    ASSERT_TRUE(statement) << text;
    EXPECT_EQ(statement->Text(), folded) << text;
  }
  EXPECT_EQ(HeapInUse(), heapBefore);
}

TEST_F(MutationDifferential, MutatedTreesRenderAlikeThroughBothEnginesAndTheirTexts) {
  const int mutations = MutationCount();
  int done = 0;
  SeedRandom(kSeed);
  for (int start = 0; done < mutations; ++start) {
    const size_t heapBefore = HeapInUse();
    {
      auto glyx = std::make_unique<GlyxImage>();
      ErrorRecord errors;
      const char* text = kBuiltinGlyxes[start % kBuiltinGlyxCount];
      ASSERT_TRUE(glyx->CreateFromText(text, errors)) << text;
      for (int i = 0; i < kLineage && done < mutations; ++i, ++done) {
        glyx->Mutate(1);
        // Rendering reseeds the generator; mutation goes on from its own state.
        const uint32_t mutationState = RandomState();
        CheckMutated(*glyx);
        SeedRandom(mutationState);
        if (HasFatalFailure()) return;
      }
    }
    ASSERT_EQ(HeapInUse(), heapBefore) << "start " << start << ": " << kBuiltinGlyxes[start % kBuiltinGlyxCount];
  }
  EXPECT_GE(done, mutations);
}

}  // namespace
}  // namespace zorva::testing
