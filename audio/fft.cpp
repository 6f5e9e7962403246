#include "audio/fft.h"

#include <algorithm>
#include <cmath>
#include <utility>

static void BitReverse(std::vector<std::complex<double>>& values) {
  const size_t n = values.size();
  for (size_t i = 1, j = 0; i < n; i++) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(values[i], values[j]);
  }
}

void Fft(std::vector<std::complex<double>>& values) {
  BitReverse(values);
  const size_t n = values.size();
  for (size_t half = 1; half < n; half <<= 1) {
    const std::complex<double> step = std::polar(1.0, -kPi / static_cast<double>(half));
    for (size_t start = 0; start < n; start += 2 * half) {
      std::complex<double> twiddle = 1.0;
      for (size_t k = 0; k < half; k++) {
        const std::complex<double> odd = values[start + k + half] * twiddle;
        values[start + k + half] = values[start + k] - odd;
        values[start + k] += odd;
        twiddle *= step;
      }
    }
  }
}

// 20 dB per 64 steps: a full-scale tone reads 240 and a tone 70 dB below it
// still shows.
static unsigned char MagnitudeByte(double magnitude) {
  if (magnitude <= 0.0) return 0;
  const double level = 64.0 * std::log10(magnitude) + 240.0;
  return static_cast<unsigned char>(std::clamp(level, 0.0, 255.0));
}

std::vector<unsigned char> SpectrumBytes(const std::vector<double>& samples, int count) {
  const size_t n = samples.size();
  std::vector<std::complex<double>> values(n);
  for (size_t i = 0; i < n; i++) {
    const double hann = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / static_cast<double>(n));
    values[i] = samples[i] * hann;
  }
  Fft(values);
  std::vector<unsigned char> bytes(static_cast<size_t>(count));
  for (int i = 0; i < count; i++) {
    const size_t bin = std::min(static_cast<size_t>(i), n / 2 - 1);
    bytes[static_cast<size_t>(i)] = MagnitudeByte(std::abs(values[bin]) * 4.0 / static_cast<double>(n));
  }
  return bytes;
}
