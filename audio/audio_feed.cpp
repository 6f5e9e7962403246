#include "audio/audio_feed.h"

#include <cstring>
#include <vector>

#include "audio/fft.h"

// Long enough for 576 distinct spectrum bins.
constexpr int kSpectrumWindow = 2048;

void AudioFeed::Fill(int frame, int fps, SoundRows& rows) const {
  switch (kind) {
    case FeedKind::Silence: FillSilence(rows); break;
    case FeedKind::Ramp: FillRamp(frame, rows); break;
    case FeedKind::Clip: FillClip(frame, fps, rows); break;
  }
}

void AudioFeed::FillSilence(SoundRows& rows) const {
  rows.channels = 2;
  std::memset(rows.waveform, 0, sizeof rows.waveform);
  std::memset(rows.spectrum, 0, sizeof rows.spectrum);
}

void AudioFeed::FillRamp(int frame, SoundRows& rows) const {
  rows.channels = 2;
  for (int c = 0; c < 2; c++) {
    for (int i = 0; i < kSoundRowSamples; i++) {
      rows.waveform[c][i] = static_cast<int8_t>((7 * i + 13 * frame + 50 * c) % 256 - 128);
      rows.spectrum[c][i] = static_cast<uint8_t>((3 * i + 5 * frame + 100 * c) % 256);
    }
  }
}

void AudioFeed::FillClip(int frame, int fps, SoundRows& rows) const {
  rows.channels = clip.channels == 2 ? 2 : 1;
  const int64_t start = static_cast<int64_t>(frame) * clip.sampleRate / fps;
  for (int c = 0; c < 2; c++) {
    std::vector<double> window(kSpectrumWindow);
    for (int i = 0; i < kSpectrumWindow; i++) {
      window[static_cast<size_t>(i)] = clip.At(start + i, c) / 32768.0;
    }
    const std::vector<unsigned char> spectrum = SpectrumBytes(window, kSoundRowSamples);
    for (int i = 0; i < kSoundRowSamples; i++) {
      rows.waveform[c][i] = static_cast<int8_t>(clip.At(start + i, c) >> 8);
      rows.spectrum[c][i] = spectrum[static_cast<size_t>(i)];
    }
  }
}

bool MakeBuiltinFeed(const std::string& name, AudioFeed* feed) {
  if (name == "silence") {
    feed->kind = FeedKind::Silence;
  } else if (name == "ramp") {
    feed->kind = FeedKind::Ramp;
  } else if (name == "music") {
    feed->kind = FeedKind::Clip;
    feed->clip = SynthesizeMusic();
  } else {
    return false;
  }
  return true;
}
