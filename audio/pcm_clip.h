#ifndef ZORVA_AUDIO_PCM_CLIP_H
#define ZORVA_AUDIO_PCM_CLIP_H

#include <cstdint>
#include <vector>

// Interleaved 16-bit audio, as read from a WAV file or synthesized.
struct PcmClip {
  int sampleRate = 44100;
  int channels = 2;
  bool loops = false;
  std::vector<int16_t> samples;

  int64_t FrameCount() const { return static_cast<int64_t>(samples.size()) / channels; }
  // Sample of one channel at an absolute position; silence past the end.
  int16_t At(int64_t position, int channel) const;
};

// The built-in music loop: drums, bass and chords, the same on every run.
PcmClip SynthesizeMusic();

#endif
