#include "app/sound_copy.h"

#include "codegen/sound_frame.h"

static uint8_t Unbiased(int8_t sample) {
  return static_cast<uint8_t>(sample + 128);
}

// Every second host sample: the 256 stored pairs span 512 of the 576 samples.
void CopySoundFrame(const winampVisModule& record) {
  const int rightRow = record.nCh == 2 ? 1 : 0;
  for (int i = 0; i < 256; i++) {
    soundWaveform[2 * i] = Unbiased(record.waveformData[0][2 * i]);
    soundWaveform[2 * i + 1] = Unbiased(record.waveformData[rightRow][2 * i]);
    soundSpectrum[i] = record.spectrumData[0][i];
  }
}
