// How a stereo frame's samples are taken and unbiased is held by zorva
// render's tests, which read the ramp feed through snd, sndr and fft.
#include "codegen/sound_frame.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundCopy, MonoRepeatsTheLeftChannelAndTheSpectrumIsTheFirstRow) {
  int8_t waveform[2][kPlayerRowSamples] = {};
  uint8_t spectrum[2][kPlayerRowSamples] = {};
  for (int i = 0; i < kPlayerRowSamples; i++) {
    waveform[0][i] = static_cast<int8_t>(i * 7);
    waveform[1][i] = 99;
    spectrum[0][i] = static_cast<uint8_t>(i * 3);
    spectrum[1][i] = 7;
  }
  for (int channels : {0, 1, 3}) {
    CopySoundFrame(waveform, channels, spectrum[0]);
    for (int i = 0; i < 256; i++)
      ASSERT_EQ(soundWaveform[2 * i], soundWaveform[2 * i + 1]) << "nCh " << channels << " pair " << i;
  }
  for (int i = 0; i < kSpectrumBytes; i++) ASSERT_EQ(soundSpectrum[i], static_cast<uint8_t>(i * 3)) << i;
}

}  // namespace
