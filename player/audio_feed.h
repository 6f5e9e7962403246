#ifndef ZORVA_PLAYER_AUDIO_FEED_H
#define ZORVA_PLAYER_AUDIO_FEED_H

#include <string>

#include "host/vis_module.h"
#include "player/pcm_clip.h"

// What the stand-in player and the zorva tool play to a plug-in: the sound
// rows of the module record for every frame.
enum class FeedKind { Silence, Ramp, Clip };

class AudioFeed {
 public:
  FeedKind kind = FeedKind::Silence;
  PcmClip clip;  // for FeedKind::Clip: the music loop or a WAV file

  // Fills nCh, waveformData and spectrumData for frame `frame`; the audio
  // advances 1000 / fps milliseconds per frame.
  void Fill(int frame, int fps, winampVisModule& record) const;

 private:
  void FillSilence(winampVisModule& record) const;
  void FillRamp(int frame, winampVisModule& record) const;
  void FillClip(int frame, int fps, winampVisModule& record) const;
};

// "silence", "ramp" or "music"; false for any other name.
bool MakeBuiltinFeed(const std::string& name, AudioFeed* feed);

#endif
