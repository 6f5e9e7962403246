// zorva bench [--filter REGEX] [--json] [--repeats N]
// Whole frames (palette passes and the 256 x 256 pixel pass at step 1, ramp
// sound) of the built-in expressions and of grown trees, through the JIT,
// the static limit, the peer, the reference evaluator, the baseline and the
// one-unit limit.
#include <regex.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/frame_bench.h"
#include "cli/commands.h"
#include "cli/progress.h"

namespace zorva {
namespace {

using bench::Measurement;

double Ratio(const Measurement& m, bench::Engine over, bench::Engine under) {
  return m.nsPerPixel[over] / m.nsPerPixel[under];
}

struct Summary {
  int builtins = 0;
  double jitOverStatic = 0;        // geometric means over the built-ins
  double jitOverLimit = 0;
  double peerOverJit = 0;
  double baselineOverJit = 0;
  const Measurement* worstJitOverStatic = nullptr;
  const Measurement* worstJitOverLimit = nullptr;
  const Measurement* slowest = nullptr;  // the built-in whose baseline frame is slowest
  double compileMedian = 0;
  double seconds = 0;
};

Summary Summarise(const std::vector<Measurement>& results, double seconds) {
  Summary s;
  s.seconds = seconds;
  double logs[4] = {};
  std::vector<double> compile;
  for (const Measurement& m : results) {
    compile.push_back(m.compileMicroseconds);
    if (!m.builtin) continue;
    ++s.builtins;
    logs[0] += std::log(Ratio(m, bench::kJit, bench::kStatic));
    logs[1] += std::log(Ratio(m, bench::kPeer, bench::kJit));
    logs[2] += std::log(Ratio(m, bench::kBaseline, bench::kJit));
    logs[3] += std::log(Ratio(m, bench::kJit, bench::kLimit));
    if (!s.worstJitOverStatic ||
        Ratio(m, bench::kJit, bench::kStatic) > Ratio(*s.worstJitOverStatic, bench::kJit, bench::kStatic))
      s.worstJitOverStatic = &m;
    if (!s.worstJitOverLimit ||
        Ratio(m, bench::kJit, bench::kLimit) > Ratio(*s.worstJitOverLimit, bench::kJit, bench::kLimit))
      s.worstJitOverLimit = &m;
    if (!s.slowest || m.nsPerPixel[bench::kBaseline] > s.slowest->nsPerPixel[bench::kBaseline]) s.slowest = &m;
  }
  if (s.builtins > 0) {
    s.jitOverStatic = std::exp(logs[0] / s.builtins);
    s.peerOverJit = std::exp(logs[1] / s.builtins);
    s.baselineOverJit = std::exp(logs[2] / s.builtins);
    s.jitOverLimit = std::exp(logs[3] / s.builtins);
  }
  std::sort(compile.begin(), compile.end());
  if (!compile.empty()) s.compileMedian = compile[compile.size() / 2];
  return s;
}

void PrintTable(const std::vector<Measurement>& results, const Summary& s) {
  std::printf("whole frame at step 1 (palette passes + 256x256 pixel pass), ns per pixel, medians\n\n");
  std::printf("%-12s %5s %8s %8s %8s %8s %9s %9s %10s %9s %9s %12s %10s\n", "expression", "nodes", "jit", "static",
              "limit", "peer", "evaluator", "baseline", "jit/static", "jit/limit", "peer/jit", "baseline/jit",
              "compile us");
  for (const Measurement& m : results) {
    std::printf("%-12s %5d %8.2f %8.2f %8.2f %8.2f %9.2f %9.2f %10.2f %9.2f %9.1f %12.2f %10.1f\n", m.name.c_str(),
                m.nodes, m.nsPerPixel[bench::kJit], m.nsPerPixel[bench::kStatic], m.nsPerPixel[bench::kLimit],
                m.nsPerPixel[bench::kPeer], m.nsPerPixel[bench::kEvaluator], m.nsPerPixel[bench::kBaseline],
                Ratio(m, bench::kJit, bench::kStatic), Ratio(m, bench::kJit, bench::kLimit),
                Ratio(m, bench::kPeer, bench::kJit), Ratio(m, bench::kBaseline, bench::kJit), m.compileMicroseconds);
  }
  if (s.builtins == 0) return;
  std::printf("\nover the %d built-ins, geometric means: jit/static %.2f, peer/jit %.1f, baseline/jit %.2f\n",
              s.builtins, s.jitOverStatic, s.peerOverJit, s.baselineOverJit);
  std::printf("worst jit/static: %s %.2f\n", s.worstJitOverStatic->name.c_str(),
              Ratio(*s.worstJitOverStatic, bench::kJit, bench::kStatic));
  std::printf("jit/limit: geometric mean %.2f, worst %s %.2f\n", s.jitOverLimit, s.worstJitOverLimit->name.c_str(),
              Ratio(*s.worstJitOverLimit, bench::kJit, bench::kLimit));
  std::printf("slowest built-in (baseline frame): %s, baseline/jit %.2f\n", s.slowest->name.c_str(),
              Ratio(*s.slowest, bench::kBaseline, bench::kJit));
  std::printf("parse + compile of a pixel statement, median: %.1f us\n", s.compileMedian);
  std::printf("measured in %.0f s\n", s.seconds);
}

void PrintJson(const std::vector<Measurement>& results, const Summary& s) {
  std::printf("{\n  \"expressions\": [\n");
  for (size_t i = 0; i < results.size(); ++i) {
    const Measurement& m = results[i];
    std::printf("    {\"name\": \"%s\", \"builtin\": %s, \"nodes\": %d", m.name.c_str(), m.builtin ? "true" : "false",
                m.nodes);
    for (int e = 0; e < bench::kEngineCount; ++e)
      std::printf(", \"%s_ns_per_pixel\": %.4f", bench::kEngineNames[e], m.nsPerPixel[e]);
    std::printf(", \"compile_us\": %.2f}%s\n", m.compileMicroseconds, i + 1 < results.size() ? "," : "");
  }
  std::printf("  ],\n  \"summary\": {\"builtins\": %d, \"compile_us_median\": %.2f, \"seconds\": %.1f", s.builtins,
              s.compileMedian, s.seconds);
  if (s.builtins > 0) {
    std::printf(",\n    \"jit_over_static_geomean\": %.4f, \"jit_over_static_worst\": %.4f, "
                "\"jit_over_static_worst_name\": \"%s\",\n    \"peer_over_jit_geomean\": %.4f, "
                "\"baseline_over_jit_geomean\": %.4f,\n    \"slowest_builtin\": \"%s\", "
                "\"baseline_over_jit_slowest\": %.4f,\n    \"jit_over_limit_geomean\": %.4f, "
                "\"jit_over_limit_worst\": %.4f, \"jit_over_limit_worst_name\": \"%s\"",
                s.jitOverStatic, Ratio(*s.worstJitOverStatic, bench::kJit, bench::kStatic),
                s.worstJitOverStatic->name.c_str(), s.peerOverJit, s.baselineOverJit, s.slowest->name.c_str(),
                Ratio(*s.slowest, bench::kBaseline, bench::kJit), s.jitOverLimit,
                Ratio(*s.worstJitOverLimit, bench::kJit, bench::kLimit), s.worstJitOverLimit->name.c_str());
  }
  std::printf("}\n}\n");
}

int Bench(CommandLine& line) {
  const int repeats = line.Number("--repeats", 9, 1, 1000);
  if (!line.error.empty()) return line.UsageError();
  const std::string pattern = line.Value("--filter", "");
  regex_t filter;  // POSIX extended syntax: <regex> does not build warning-free under AddressSanitizer
  if (regcomp(&filter, pattern.c_str(), REG_EXTENDED | REG_NOSUB) != 0) {
    return line.UsageError("bad --filter '" + pattern + "'");
  }
  std::vector<bench::Workload> workloads;
  for (const bench::Workload& w : bench::StandardWorkloads()) {
    if (regexec(&filter, w.name.c_str(), 0, nullptr, 0) == 0) workloads.push_back(w);
  }
  regfree(&filter);
  const auto start = std::chrono::steady_clock::now();
  std::vector<Measurement> results;
  std::string error;
  Progress progress("zorva bench: expression", static_cast<int>(workloads.size()));
  const bool measuredAll =
      bench::MeasureFrames(workloads, repeats, &results, &error, [&](int measured) { progress.Update(measured); });
  progress.Finish();
  if (!measuredAll) {
    std::fprintf(stderr, "zorva bench: %s\n", error.c_str());
    return 1;
  }
  const Summary summary =
      Summarise(results, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  if (line.Has("--json")) PrintJson(results, summary);
  else PrintTable(results, summary);
  return 0;
}

}  // namespace

const Command kBenchCommand = {
    "bench", "[--filter REGEX] [--json] [--repeats N]",
    "time whole frames: jit, static limit, muParser, evaluator, baseline, one-unit limit",
    "Times whole frames (the palette passes and the 256 x 256 pixel pass at\n"
    "step 1, ramp sound) of the built-in expressions and of grown trees through\n"
    "six engines: the JIT, the static limit (the statements printed as C++ and\n"
    "compiled by g++ -O2), muParser, the reference evaluator, the baseline\n"
    "routines and the limit (the printed statements and the routines' source\n"
    "in one unit, g++ -O2 -m32, not position-independent). Prints nanoseconds\n"
    "per pixel, medians of N runs (default 9, at most 1000), and their ratios;\n"
    "--json prints the same as JSON. --filter"
    " keeps the workloads whose name matches REGEX.\n",
    {{"--filter", true}, {"--json", false}, {"--repeats", true}}, 0, Bench,
};

}  // namespace zorva
