// How long the built-in expressions' pixel statements take to parse and
// compile, to mutate and recompile, and to render one 256x256 pass through
// the generated code and through the reference evaluator. The summary at the
// end gives the median compile and mutate times and the geometric mean of the
// evaluator/generated-code ratio.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codegen/random.h"
#include "codegen/reference_evaluator.h"
#include "codegen/sound_frame.h"
#include "codegen/statement.h"
#include "lang/statement_roles.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

constexpr int kSide = 256;

// Expressions without runtime routines, for the cost of the code itself.
const char* const kArithmetic[] = {"x*y", "(x*x+y*y)/(t+1)", "x<y?x-y:(x+y)%7", "sin(x+t)+cos(y-t)*x/4"};
constexpr int kArithmeticCount = sizeof kArithmetic / sizeof kArithmetic[0];

std::string PixelText(const char* glyx) {
  ErrorRecord errors;
  GlyxStatements<Statement> statements;
  statements.CreateFromText(glyx, errors);
  return statements.pixel->Text();
}

void ParseAndCompile(benchmark::State& state, std::string text) {
  for (auto _ : state) {
    const char* cursor = text.c_str();
    ErrorRecord errors;
    benchmark::DoNotOptimize(Statement::FromText(cursor, errors));
  }
}

// One mutation of a fresh copy of the statement and its recompilation, as
// Space does to each statement of the current expression. Mutating one copy
// over and over would time ever larger trees.
void MutateAndRecompile(benchmark::State& state, std::string text) {
  SeedRandom(1);
  for (auto _ : state) {
    state.PauseTiming();
    const char* cursor = text.c_str();
    ErrorRecord errors;
    std::unique_ptr<Statement> statement = Statement::FromText(cursor, errors);
    state.ResumeTiming();
    statement->Mutate(1);
    state.PauseTiming();
    statement.reset();
    state.ResumeTiming();
  }
}

void PixelPass(benchmark::State& state, std::string text, bool evaluator, int32_t step) {
  const char* cursor = text.c_str();
  ErrorRecord errors;
  std::unique_ptr<Statement> statement = Statement::FromText(cursor, errors);
  const int32_t side = (kSide + step - 1) / step * step;  // as GlyxImage::Resize rounds it
  std::vector<uint8_t> image((side / step + 3) / 4 * 4 * (side / step));
  const PassSetup setup{image.data(), side, side, step, 12, 1, 128, 128, 0, SourceImage{}};
  for (auto _ : state) {
    RenderContext context;
    statement->SetupContext(context, setup);
    benchmark::DoNotOptimize(evaluator ? EvaluateRows(*statement, context) : statement->RunRows(context));
  }
}

// Collects the timings for the summary; Google Benchmark hands results to
// reporters only, so this one extends its console reporter.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      seconds[run.benchmark_name()] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

double GeometricMeanRatio(const std::map<std::string, double>& seconds, const std::string& prefix, int count) {
  double logRatios = 0;
  for (int i = 0; i < count; ++i) {
    const std::string id = "/" + std::to_string(i);
    logRatios += std::log(seconds.at(prefix + "evaluator" + id) / seconds.at(prefix + "jit" + id));
  }
  return std::exp(logRatios / count);
}

void PrintMedian(const std::map<std::string, double>& seconds, const std::string& prefix, const char* what) {
  std::vector<double> times;
  for (int i = 0; i < kBuiltinGlyxCount; ++i) times.push_back(seconds.at(prefix + "/" + std::to_string(i)));
  std::sort(times.begin(), times.end());
  std::printf("%s: median %.1f us, fastest %.1f us, slowest %.1f us\n", what, times[times.size() / 2] * 1e6,
              times.front() * 1e6, times.back() * 1e6);
}

// Needs every benchmark's result: a filtered run prints no summary.
void PrintSummary(const std::map<std::string, double>& seconds) {
  if (seconds.size() != 4 * kBuiltinGlyxCount + 2 * kArithmeticCount + 4) return;
  std::printf("\n");
  PrintMedian(seconds, "compile", "parse+compile");
  PrintMedian(seconds, "mutate", "mutate+recompile");
  std::printf("pixel pass 256x256, evaluator/jit, geometric mean: built-ins %.1f, arithmetic %.1f\n",
              GeometricMeanRatio(seconds, "", kBuiltinGlyxCount),
              GeometricMeanRatio(seconds, "arithmetic-", kArithmeticCount));
}

}  // namespace
}  // namespace zorva

int main(int argc, char** argv) {
  using namespace zorva;
  for (int i = 0; i < kWaveformBytes; ++i) soundWaveform[i] = static_cast<uint8_t>(i * 37 + 11);
  for (int i = 0; i < kSpectrumBytes; ++i) soundSpectrum[i] = static_cast<uint8_t>(255 - i * 3);
  for (int i = 0; i < kBuiltinGlyxCount; ++i) {
    const std::string text = PixelText(kBuiltinGlyxes[i]);
    const std::string id = "/" + std::to_string(i);
    benchmark::RegisterBenchmark(("compile" + id).c_str(), ParseAndCompile, text)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("mutate" + id).c_str(), MutateAndRecompile, text)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("jit" + id).c_str(), PixelPass, text, false, 1)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("evaluator" + id).c_str(), PixelPass, text, true, 1)->Unit(benchmark::kMillisecond);
  }
  for (int i = 0; i < kArithmeticCount; ++i) {
    const std::string id = "/" + std::to_string(i);
    benchmark::RegisterBenchmark(("arithmetic-jit" + id).c_str(), PixelPass, kArithmetic[i], false, 1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("arithmetic-evaluator" + id).c_str(), PixelPass, kArithmetic[i], true, 1)
        ->Unit(benchmark::kMillisecond);
  }
  // The pixel pass of built-in 0 at every evaluation step the Up and Down
  // keys reach first: its cost should fall as 1 / step^2.
  for (int32_t step = 1; step <= 4; ++step)
    benchmark::RegisterBenchmark(("jit-step/" + std::to_string(step)).c_str(), PixelPass, PixelText(kBuiltinGlyxes[0]),
                                 false, step)
        ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.seconds);
  return 0;
}
