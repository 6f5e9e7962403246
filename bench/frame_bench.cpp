#include "bench/frame_bench.h"

#include <time.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "audio/audio_feed.h"
#include "bench/baseline/baseline.h"
#include "bench/frame_road.h"
#include "bench/grown_trees.h"
#include "bench/peer_engine.h"
#include "bench/static_library.h"
#include "codegen/random.h"
#include "codegen/reference_evaluator.h"
#include "codegen/sound_frame.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva::bench {

const char* const kEngineNames[kEngineCount] = {"jit", "static", "peer", "evaluator", "baseline", "limit"};

namespace {

constexpr uint32_t kCheckSeed = 20261207;
constexpr int kPixels = kFrameSide * kFrameSide;
constexpr int kFrameBytes = kColorTableBytes + kPixels;
constexpr const char* kGrownPalette = "p=pal(8,-t*3); ";

// Seeds whose grown trees render without a fault (the quotient of
// -2147483648 by -1), so that every engine renders whole frames.
struct GrownSize {
  int nodes;
  uint32_t seed;
};
constexpr GrownSize kGrownSizes[] = {{10, 3}, {100, 5}, {400, 7}};

// One expression in every engine.
struct Subject {
  explicit Subject(const Workload& workload) : workload(workload) {}

  bool Build(std::string* error) {
    ErrorRecord errors;
    if (!glyx.CreateFromText(workload.text.c_str(), errors) || !baseline.CreateFromText(workload.text.c_str())) {
      *error = workload.name + ": " + (MessageOf(errors) ? MessageOf(errors) : "does not build");
      return false;
    }
    glyx.Resize(kFrameSide, kFrameSide, 1, kFramePeriod);
    for (PixelImage* image : {&staticImage, &peerImage, &evaluatorImage, &baselineImage, &limitImage})
      image->Allocate(kFrameSide, kFrameSide);
    return true;
  }

  template <typename Visit>
  void ForEachStatement(Visit&& visit) const {
    const GlyxStatements<Statement>& s = glyx.statements;
    for (const Statement* statement : {s.pixel.get(), s.palette.get(), s.channels[0].get(), s.channels[1].get(),
                                       s.channels[2].get()})
      if (statement) visit(*statement);
  }

  Workload workload;
  GlyxImage glyx;
  BaselineGlyx baseline;
  PixelImage staticImage, peerImage, evaluatorImage, baselineImage, limitImage;
  int32_t frames[kEngineCount] = {};
};

struct Engines {
  StaticLibrary staticLibrary{Linkage::kThroughPointers};
  StaticLibrary limitLibrary{Linkage::kOneUnit};
  PeerEngine peer;
};

// Renders one frame of the subject through an engine, at that engine's t.
PixelImage& RenderWith(Engine engine, Subject& subject, Engines& engines) {
  const FrameInputs in{subject.frames[engine]++, kFramePeriod, 0, 0};
  switch (engine) {
    case kJit:
      subject.glyx.Render(in.xm, in.ym);
      return subject.glyx.image;
    case kStatic:
      RenderFrame(subject.glyx.statements, subject.staticImage, in,
                  [&](const Statement& s, RenderContext& c) { engines.staticLibrary.RunPass(s, c); });
      return subject.staticImage;
    case kLimit:
      RenderFrame(subject.glyx.statements, subject.limitImage, in,
                  [&](const Statement& s, RenderContext& c) { engines.limitLibrary.RunPass(s, c); });
      return subject.limitImage;
    case kPeer:
      RenderFrame(subject.glyx.statements, subject.peerImage, in,
                  [&](const Statement& s, RenderContext& c) { engines.peer.RunPass(s, c); });
      return subject.peerImage;
    case kEvaluator:
      RenderFrame(subject.glyx.statements, subject.evaluatorImage, in,
                  [](const Statement& s, RenderContext& c) { EvaluateRows(s, c); });
      return subject.evaluatorImage;
    default:
      subject.baseline.Render(subject.baselineImage, in);
      return subject.baselineImage;
  }
}

std::vector<uint8_t> FrameBytes(const PixelImage& image) {
  std::vector<uint8_t> bytes(kFrameBytes);
  std::memcpy(bytes.data(), image.header + kBitmapHeaderBytes, kColorTableBytes);
  std::memcpy(bytes.data() + kColorTableBytes, image.bits, kPixels);
  return bytes;
}

// The first frame (t = 0, the same random draws) of each engine but the
// peer against the JIT's.
bool CheckIdentical(Subject& subject, Engines& engines, std::string* error) {
  for (Engine engine : {kStatic, kLimit, kEvaluator, kBaseline}) {
    subject.glyx.Resize(kFrameSide, kFrameSide, 1, kFramePeriod);
    subject.frames[engine] = 0;
    SeedRandom(kCheckSeed);
    const std::vector<uint8_t> jit = FrameBytes(RenderWith(kJit, subject, engines));
    SeedRandom(kCheckSeed);
    const std::vector<uint8_t> other = FrameBytes(RenderWith(engine, subject, engines));
    const auto difference = std::mismatch(jit.begin(), jit.end(), other.begin());
    if (difference.first != jit.end()) {
      const long at = difference.first - jit.begin();
      *error = subject.workload.name + ": the " + kEngineNames[engine] + " frame differs from the jit's at " +
               (at < kColorTableBytes ? "colour table byte " + std::to_string(at)
                                      : "pixel byte " + std::to_string(at - kColorTableBytes));
      return false;
    }
  }
  return true;
}

double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double CompileMicroseconds(const Statement& pixel, int repeats) {
  const std::string text = pixel.Text();
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const char* cursor = text.c_str();
    ErrorRecord errors;
    const double start = ThreadSeconds();
    const std::unique_ptr<Statement> compiled = Statement::FromText(cursor, errors);
    times.push_back((ThreadSeconds() - start) * 1e6);
  }
  return Median(times);
}

// The peer and the evaluator take ten to fifty times as long as the others
// and vary less; a third of the repeats keeps the whole run short.
bool IsSlow(int engine) { return engine == kPeer || engine == kEvaluator; }

Measurement Measure(Subject& subject, Engines& engines, int repeats) {
  std::vector<double> seconds[kEngineCount];
  for (int r = 0; r < repeats; ++r) {
    for (int e = 0; e < kEngineCount; ++e) {
      if (IsSlow(e) && r % 3 != 0) continue;
      const double start = ThreadSeconds();
      RenderWith(static_cast<Engine>(e), subject, engines);
      seconds[e].push_back(ThreadSeconds() - start);
    }
  }
  Measurement m;
  m.name = subject.workload.name;
  m.builtin = subject.workload.builtin;
  m.nodes = CountNodes(subject.glyx.statements.pixel->Text());
  for (int e = 0; e < kEngineCount; ++e) m.nsPerPixel[e] = Median(seconds[e]) * 1e9 / kPixels;
  m.compileMicroseconds = CompileMicroseconds(*subject.glyx.statements.pixel, 4 * repeats + 1);
  return m;
}

void FeedRampSound() {
  AudioFeed feed;
  MakeBuiltinFeed("ramp", &feed);
  SoundRows rows;
  feed.Fill(0, 60, rows);
  CopySoundFrame(rows.waveform, rows.channels, rows.spectrum[0]);
}

}  // namespace

std::vector<Workload> StandardWorkloads() {
  std::vector<Workload> workloads;
  for (int i = 0; i < kBuiltinGlyxCount; ++i)
    workloads.push_back({"builtin-" + std::to_string(i), kBuiltinGlyxes[i], true});
  for (const GrownSize& size : kGrownSizes)
    workloads.push_back({"grown-" + std::to_string(size.nodes), kGrownPalette + GrownStatement(size.nodes, size.seed),
                         false});
  return workloads;
}

bool MeasureFrames(const std::vector<Workload>& workloads, int repeats, std::vector<Measurement>* results,
                   std::string* error, const std::function<void(int measured)>& progress) {
  FeedRampSound();
  Engines engines;
  std::vector<std::unique_ptr<Subject>> subjects;
  for (const Workload& workload : workloads) {
    subjects.push_back(std::make_unique<Subject>(workload));
    Subject& subject = *subjects.back();
    if (!subject.Build(error)) return false;
    bool added = true;
    subject.ForEachStatement([&](const Statement& s) {
      engines.staticLibrary.Add(s);
      engines.limitLibrary.Add(s);
      added = added && engines.peer.Add(s, error);
    });
    if (!added) {
      *error = workload.name + ": muParser: " + *error;
      return false;
    }
  }
  if (!engines.staticLibrary.Build(error) || !engines.limitLibrary.Build(error)) return false;
  for (auto& subject : subjects) {
    if (!CheckIdentical(*subject, engines, error)) return false;
  }
  for (size_t i = 0; i < subjects.size(); ++i) {
    results->push_back(Measure(*subjects[i], engines, repeats));
    progress(static_cast<int>(i + 1));
  }
  return true;
}

}  // namespace zorva::bench
