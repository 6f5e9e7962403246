#include "app/sound_copy.h"

#include <gtest/gtest.h>

#include "codegen/sound_frame.h"

namespace {

winampVisModule EmptyRecord(int channels) {
  winampVisModule record{};
  record.nCh = channels;
  return record;
}

TEST(SoundCopy, BiasesSignedSamplesByHalfTheRange) {
  winampVisModule record = EmptyRecord(2);
  record.waveformData[0][0] = -128;
  record.waveformData[0][2] = 0;
  record.waveformData[0][4] = 127;
  record.waveformData[1][0] = -1;
  CopySoundFrame(record);
  EXPECT_EQ(soundWaveform[0], 0);
  EXPECT_EQ(soundWaveform[2], 128);
  EXPECT_EQ(soundWaveform[4], 255);
  EXPECT_EQ(soundWaveform[1], 127);
}

TEST(SoundCopy, TakesEverySecondHostSample) {
  winampVisModule record = EmptyRecord(2);
  for (int i = 0; i < kSoundRowBytes; i++) {
    record.waveformData[0][i] = static_cast<int8_t>(i % 100);
    record.waveformData[1][i] = static_cast<int8_t>(-(i % 100));
  }
  CopySoundFrame(record);
  // Stored pair 1 is host sample 2; the last pair is host sample 510.
  EXPECT_EQ(soundWaveform[2], 2 + 128);
  EXPECT_EQ(soundWaveform[3], 128 - 2);
  EXPECT_EQ(soundWaveform[510], 510 % 100 + 128);
  EXPECT_EQ(soundWaveform[511], 128 - 510 % 100);
}

TEST(SoundCopy, MonoRepeatsTheLeftChannel) {
  for (int channels : {0, 1, 3}) {
    winampVisModule record = EmptyRecord(channels);
    for (int i = 0; i < kSoundRowBytes; i++) {
      record.waveformData[0][i] = static_cast<int8_t>(i * 7);
      record.waveformData[1][i] = 99;
    }
    CopySoundFrame(record);
    for (int i = 0; i < 256; i++) {
      ASSERT_EQ(soundWaveform[2 * i], soundWaveform[2 * i + 1]) << "nCh " << channels << " pair " << i;
    }
  }
}

TEST(SoundCopy, SpectrumIsTheFirstRowsFirst256Bytes) {
  winampVisModule record = EmptyRecord(2);
  for (int i = 0; i < kSoundRowBytes; i++) {
    record.spectrumData[0][i] = static_cast<uint8_t>(i * 3);
    record.spectrumData[1][i] = 7;
  }
  CopySoundFrame(record);
  for (int i = 0; i < kSpectrumBytes; i++) {
    ASSERT_EQ(soundSpectrum[i], static_cast<uint8_t>(i * 3)) << i;
  }
}

}  // namespace
