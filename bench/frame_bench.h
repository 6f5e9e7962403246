// zorva bench's measurements: whole frames of each expression through six
// engines, interleaved and repeated, and the time to parse and compile.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorva::bench {

enum Engine { kJit, kStatic, kPeer, kEvaluator, kBaseline, kLimit, kEngineCount };

extern const char* const kEngineNames[kEngineCount];

struct Workload {
  std::string name;  // "builtin-N" or "grown-N"
  std::string text;
  bool builtin;
};

// The 62 built-in expressions and the grown trees of about 10, 100 and 400
// nodes (each with built-in 0's palette statement).
std::vector<Workload> StandardWorkloads();

struct Measurement {
  std::string name;
  bool builtin = false;
  int nodes = 0;                          // of the pixel statement
  double nsPerPixel[kEngineCount] = {};   // the whole frame over its 65,536 pixels
  double compileMicroseconds = 0;         // parse + compile of the pixel statement
};

// Measures every workload: `repeats` frames of the JIT, the two static
// limits and the baseline, a third as many of the peer and the evaluator,
// all interleaved; medians of each. Before timing, checks that the static
// limits, the reference evaluator and the baseline render frames
// byte-identical to the JIT's; false with the first difference in `error`. `progress` gets
// the number of workloads measured so far, after each one.
bool MeasureFrames(const std::vector<Workload>& workloads, int repeats, std::vector<Measurement>* results,
                   std::string* error, const std::function<void(int measured)>& progress);

}  // namespace zorva::bench
