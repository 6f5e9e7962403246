#include "audio/pcm_clip.h"

#include <cstddef>

int16_t PcmClip::At(int64_t position, int channel) const {
  const int64_t frames = FrameCount();
  if (frames == 0 || position < 0) return 0;
  if (loops) position %= frames;
  if (position >= frames) return 0;
  const int usedChannel = channel < channels ? channel : 0;
  return samples[static_cast<size_t>(position * channels + usedChannel)];
}
