#ifndef ZORVA_AUDIO_AUDIO_FEED_H
#define ZORVA_AUDIO_AUDIO_FEED_H

#include <cstdint>
#include <string>

#include "audio/pcm_clip.h"

// One frame of sound as a player hands it to a visualization: per channel row,
// 576 signed waveform samples and 576 spectrum bytes.
constexpr int kSoundRowSamples = 576;

struct SoundRows {
  int channels = 2;  // 1 or 2; a mono source fills both rows alike
  int8_t waveform[2][kSoundRowSamples];
  uint8_t spectrum[2][kSoundRowSamples];
};

// What the stand-in player and the zorva tool play: the sound rows of every
// frame.
enum class FeedKind { Silence, Ramp, Clip };

class AudioFeed {
 public:
  FeedKind kind = FeedKind::Silence;
  PcmClip clip;  // for FeedKind::Clip: the music loop or a WAV file

  // The rows of frame `frame`; the audio advances 1000 / fps milliseconds
  // per frame.
  void Fill(int frame, int fps, SoundRows& rows) const;

 private:
  void FillSilence(SoundRows& rows) const;
  void FillRamp(int frame, SoundRows& rows) const;
  void FillClip(int frame, int fps, SoundRows& rows) const;
};

// "silence", "ramp" or "music"; false for any other name.
bool MakeBuiltinFeed(const std::string& name, AudioFeed* feed);

#endif
