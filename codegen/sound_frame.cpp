#include "codegen/sound_frame.h"

uint8_t soundWaveform[kWaveformBytes];
uint8_t soundSpectrum[kSpectrumBytes];

static uint8_t Unbiased(int8_t sample) {
  return static_cast<uint8_t>(sample + 128);
}

// The 256 stored pairs span 512 of the 576 samples.
void CopySoundFrame(const int8_t (&waveform)[2][kPlayerRowSamples], int channels,
                    const uint8_t (&spectrum)[kPlayerRowSamples]) {
  const int rightRow = channels == 2 ? 1 : 0;
  for (int i = 0; i < 256; i++) {
    soundWaveform[2 * i] = Unbiased(waveform[0][2 * i]);
    soundWaveform[2 * i + 1] = Unbiased(waveform[rightRow][2 * i]);
    soundSpectrum[i] = spectrum[i];
  }
}
