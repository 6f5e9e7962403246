// The tool's progress lines, with a clock the test moves.
#include "cli/progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace zorva {
namespace {

// What a Progress of 100 steps wrote when step k came at the given second.
std::string Shown(bool terminal, const std::vector<double>& secondOfStep) {
  char* bytes = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&bytes, &size);
  double now = 0;
  {
    Progress progress("zorva render: frame", 100, out, terminal, [&] { return now; });
    for (size_t k = 0; k < secondOfStep.size(); ++k) {
      now = secondOfStep[k];
      progress.Update(static_cast<int>(k + 1));
    }
    progress.Finish();
  }
  std::fclose(out);
  const std::string shown(bytes, size);
  std::free(bytes);
  return shown;
}

// Steps 1 to 100, step k at k * `interval` seconds.
std::vector<double> Steady(double interval) {
  std::vector<double> seconds;
  for (int k = 1; k <= 100; ++k) seconds.push_back(k * interval);
  return seconds;
}

TEST(Progress, QuietForASecondThenAtMostALineASecondEndingWithTheFinalCount) {
  EXPECT_EQ(Shown(false, Steady(0.0099)), "");
  EXPECT_EQ(Shown(true, Steady(0.0099)), "");
  // 100 steps over 3.3 s: the first step after 1 s, each a second after the
  // one before, then the final count.
  EXPECT_EQ(Shown(false, Steady(0.033)),
            "zorva render: frame 31 of 100\nzorva render: frame 62 of 100\n"
            "zorva render: frame 93 of 100\nzorva render: frame 100 of 100\n");
  // A terminal sees one line rewritten every 0.2 s, and its end.
  const std::string terminal = Shown(true, Steady(0.0133));
  EXPECT_EQ(terminal.substr(0, 31), "\rzorva render: frame 76 of 100\r");
  EXPECT_EQ(terminal.substr(terminal.size() - 32), "\rzorva render: frame 100 of 100\n");
  EXPECT_EQ(terminal.find('\n'), terminal.size() - 1);
}

}  // namespace
}  // namespace zorva
