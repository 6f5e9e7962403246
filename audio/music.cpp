// A four-bar loop at 120 beats per minute: kick, snare and hi-hat, a bass line
// and one chord per bar, so that both the waveform and the spectrum move the
// way music does. Noise comes from a fixed-seed generator: every run is equal.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "audio/fft.h"
#include "audio/pcm_clip.h"

namespace {

constexpr int kRate = 44100;
constexpr double kBeatSeconds = 0.5;
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 4;
constexpr double kTwoPi = 2.0 * kPi;

// A minor, F major, C major, G major: root and the two notes above it, in Hz.
constexpr double kChords[kBars][3] = {
    {220.00, 261.63, 329.63},
    {174.61, 220.00, 261.63},
    {261.63, 329.63, 392.00},
    {196.00, 246.94, 293.66},
};

struct Noise {
  uint32_t state = 12345;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
};

struct Stereo {
  double left = 0;
  double right = 0;
  void Add(double value, double pan) {
    left += value * (1.0 - pan);
    right += value * (1.0 + pan);
  }
};

double Kick(double t) {
  const double frequency = 50.0 + 110.0 * std::exp(-t * 30.0);
  return std::sin(kTwoPi * frequency * t) * std::exp(-t * 8.0);
}

double Snare(double t, double noise) {
  return (0.7 * noise + 0.3 * std::sin(kTwoPi * 190.0 * t)) * std::exp(-t * 18.0);
}

double HiHat(double t, double noise) {
  return noise * std::exp(-t * 60.0);
}

double Bass(double t, double frequency) {
  const double phase = std::fmod(frequency * t, 1.0);
  const double saw = 2.0 * phase - 1.0;
  return saw * std::min(1.0, t * 200.0) * std::exp(-t * 3.0);
}

double Chord(double t, const double (&notes)[3]) {
  double sum = 0;
  for (double note : notes) {
    sum += std::sin(kTwoPi * note * t) + 0.3 * std::sin(kTwoPi * 2.0 * note * t);
  }
  return sum * std::exp(-t * 1.2);
}

Stereo MixAt(double seconds, Noise& noise) {
  const double beats = seconds / kBeatSeconds;
  const int beat = static_cast<int>(beats);
  const int bar = (beat / kBeatsPerBar) % kBars;
  const double sinceBeat = (beats - beat) * kBeatSeconds;
  const double sinceBar = std::fmod(seconds, kBeatSeconds * kBeatsPerBar);
  const double sinceEighth = std::fmod(seconds, kBeatSeconds / 2);
  const double white = noise.Next();

  Stereo mix;
  if (beat % 2 == 0) mix.Add(0.9 * Kick(sinceBeat), 0.0);
  if (beat % 2 == 1) mix.Add(0.5 * Snare(sinceBeat, white), -0.1);
  mix.Add(0.25 * HiHat(sinceEighth, white), 0.4);
  mix.Add(0.35 * Bass(sinceBeat, kChords[bar][0] / 4.0), 0.0);
  mix.Add(0.12 * Chord(sinceBar, kChords[bar]), -0.3);
  return mix;
}

int16_t ToSample(double value) {
  return static_cast<int16_t>(std::clamp(value, -1.0, 1.0) * 32767.0);
}

}  // namespace

PcmClip SynthesizeMusic() {
  PcmClip clip;
  clip.sampleRate = kRate;
  clip.channels = 2;
  clip.loops = true;
  const int frames = static_cast<int>(kRate * kBeatSeconds * kBeatsPerBar * kBars);
  clip.samples.resize(static_cast<size_t>(frames) * 2);
  Noise noise;
  for (int i = 0; i < frames; i++) {
    const Stereo mix = MixAt(static_cast<double>(i) / kRate, noise);
    clip.samples[2 * static_cast<size_t>(i)] = ToSample(0.6 * mix.left);
    clip.samples[2 * static_cast<size_t>(i) + 1] = ToSample(0.6 * mix.right);
  }
  return clip;
}
