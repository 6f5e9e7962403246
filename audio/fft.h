#ifndef ZORVA_AUDIO_FFT_H
#define ZORVA_AUDIO_FFT_H

#include <complex>
#include <vector>

constexpr double kPi = 3.14159265358979323846;

// In-place radix-2 FFT; the size must be a power of two.
void Fft(std::vector<std::complex<double>>& values);

// The player's spectrum row: `count` bytes of log magnitude, from a
// Hann-windowed FFT of `samples` (each in -1..1; a power-of-two count).
std::vector<unsigned char> SpectrumBytes(const std::vector<double>& samples, int count);

#endif
