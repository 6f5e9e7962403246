#include "player/audio_feed.h"

#include <cstring>
#include <vector>

#include "player/fft.h"

// Long enough for 576 distinct spectrum bins.
constexpr int kSpectrumWindow = 2048;

void AudioFeed::Fill(int frame, int fps, winampVisModule& record) const {
  switch (kind) {
    case FeedKind::Silence: FillSilence(record); break;
    case FeedKind::Ramp: FillRamp(frame, record); break;
    case FeedKind::Clip: FillClip(frame, fps, record); break;
  }
}

void AudioFeed::FillSilence(winampVisModule& record) const {
  record.nCh = 2;
  std::memset(record.waveformData, 0, sizeof record.waveformData);
  std::memset(record.spectrumData, 0, sizeof record.spectrumData);
}

void AudioFeed::FillRamp(int frame, winampVisModule& record) const {
  record.nCh = 2;
  for (int c = 0; c < 2; c++) {
    for (int i = 0; i < kSoundRowBytes; i++) {
      record.waveformData[c][i] = static_cast<int8_t>((7 * i + 13 * frame + 50 * c) % 256 - 128);
      record.spectrumData[c][i] = static_cast<uint8_t>((3 * i + 5 * frame + 100 * c) % 256);
    }
  }
}

void AudioFeed::FillClip(int frame, int fps, winampVisModule& record) const {
  record.nCh = clip.channels == 2 ? 2 : 1;
  const int64_t start = static_cast<int64_t>(frame) * clip.sampleRate / fps;
  for (int c = 0; c < 2; c++) {
    std::vector<double> window(kSpectrumWindow);
    for (int i = 0; i < kSpectrumWindow; i++) {
      window[static_cast<size_t>(i)] = clip.At(start + i, c) / 32768.0;
    }
    const std::vector<unsigned char> spectrum = SpectrumBytes(window, kSoundRowBytes);
    for (int i = 0; i < kSoundRowBytes; i++) {
      record.waveformData[c][i] = static_cast<int8_t>(clip.At(start + i, c) >> 8);
      record.spectrumData[c][i] = spectrum[static_cast<size_t>(i)];
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
