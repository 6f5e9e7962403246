// zorva bench, run as a program: before it times anything it checks that the
// static limits, the evaluator and the baseline render the JIT's frames, so a
// run over a few expressions tests the emitter and the baseline too.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/zorva_process.h"

namespace {

TEST(BenchCommand, MeasuresEveryEngineOfTheChosenExpressionsAndRefusesBadOptions) {
  const ZorvaRun run = RunZorva("bench --filter 'builtin-(10|29|32)$|grown-10$' --repeats 1 --json");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* name : {"builtin-10", "builtin-29", "builtin-32", "grown-10"})
    EXPECT_NE(run.out.find(std::string("\"name\": \"") + name + "\""), std::string::npos) << name;
  EXPECT_EQ(run.out.find("\"name\": \"builtin-1\""), std::string::npos);
  for (const char* key : {"jit_ns_per_pixel", "static_ns_per_pixel", "peer_ns_per_pixel", "evaluator_ns_per_pixel",
                          "baseline_ns_per_pixel", "limit_ns_per_pixel", "\"summary\"", "jit_over_static_geomean",
                          "jit_over_limit_geomean"})
    EXPECT_NE(run.out.find(key), std::string::npos) << key;
  EXPECT_EQ(RunZorva("bench --repeats 0").exitCode, 2);
  EXPECT_EQ(RunZorva("bench --filter '('").exitCode, 2);
}

}  // namespace
