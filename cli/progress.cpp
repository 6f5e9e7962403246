#include "cli/progress.h"

#include <unistd.h>

#include <chrono>

namespace zorva {
namespace {

constexpr double kQuietSeconds = 1.0;
constexpr double kTerminalInterval = 0.2;
constexpr double kPlainInterval = 1.0;

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Progress::Progress(const std::string& label, int total)
    : Progress(label, total, stderr, isatty(fileno(stderr)) != 0, SteadySeconds) {}

Progress::Progress(const std::string& label, int total, FILE* out, bool terminal, Clock clock)
    : label(label), total(total), out(out), terminal(terminal), clock(std::move(clock)), started(this->clock()) {}

void Progress::Update(int count) {
  done = count;
  const double now = clock();
  if (now - started < kQuietSeconds) return;
  if (shownCount >= 0 && now - shownAt < (terminal ? kTerminalInterval : kPlainInterval)) return;
  shownAt = now;
  Show(count);
}

void Progress::Break() {
  if (lineOpen) std::fputc('\n', out);
  lineOpen = false;
  countIsLast = false;
}

void Progress::Finish() {
  if (shownCount >= 0 && (shownCount != done || !countIsLast)) Show(done);
  Break();
}

void Progress::Show(int count) {
  if (terminal) {
    std::fprintf(out, "\r%s %d of %d", label.c_str(), count, total);
    lineOpen = true;
  } else {
    std::fprintf(out, "%s %d of %d\n", label.c_str(), count, total);
  }
  std::fflush(out);
  shownCount = count;
  countIsLast = true;
}

}  // namespace zorva
