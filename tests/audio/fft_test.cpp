#include "audio/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(Fft, MatchesTheDirectSumAndItsBytesPeakAtTheTone) {
  const int n = 16;
  std::vector<std::complex<double>> values(n);
  for (int i = 0; i < n; i++) values[i] = {std::sin(i * 1.3), std::cos(i * 0.7)};
  const std::vector<std::complex<double>> input = values;
  Fft(values);
  for (int k = 0; k < n; k++) {
    std::complex<double> sum = 0;
    for (int i = 0; i < n; i++) sum += input[i] * std::polar(1.0, -2.0 * kPi * k * i / n);
    EXPECT_NEAR(std::abs(values[k] - sum), 0.0, 1e-9) << "bin " << k;
  }
  std::vector<double> samples(2048);
  for (size_t i = 0; i < samples.size(); i++) samples[i] = std::sin(2.0 * kPi * 100 * i / samples.size());
  const std::vector<unsigned char> bytes = SpectrumBytes(samples, 576);
  ASSERT_EQ(bytes.size(), 576u);
  EXPECT_EQ(std::max_element(bytes.begin(), bytes.end()) - bytes.begin(), 100);
  EXPECT_GE(bytes[100], 230);
  EXPECT_LT(bytes[300], 40);
  EXPECT_EQ(SpectrumBytes(std::vector<double>(2048, 0.0), 576), std::vector<unsigned char>(576, 0));
}

}  // namespace
