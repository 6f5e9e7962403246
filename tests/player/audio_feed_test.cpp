#include "player/audio_feed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

AudioFeed BuiltinFeed(const char* name) {
  AudioFeed feed;
  EXPECT_TRUE(MakeBuiltinFeed(name, &feed));
  return feed;
}

std::unique_ptr<winampVisModule> FilledRecord(const AudioFeed& feed, int frame) {
  auto record = std::make_unique<winampVisModule>();
  std::memset(record.get(), 0x55, sizeof *record);
  feed.Fill(frame, 60, *record);
  return record;
}

TEST(AudioFeed, RampFollowsItsFormula) {
  const auto record = FilledRecord(BuiltinFeed("ramp"), 3);
  EXPECT_EQ(record->nCh, 2);
  for (int c = 0; c < 2; c++) {
    for (int i = 0; i < kSoundRowBytes; i++) {
      ASSERT_EQ(record->waveformData[c][i], (7 * i + 13 * 3 + 50 * c) % 256 - 128);
      ASSERT_EQ(record->spectrumData[c][i], (3 * i + 5 * 3 + 100 * c) % 256);
    }
  }
}

TEST(AudioFeed, SilenceClearsEverySample) {
  const auto record = FilledRecord(BuiltinFeed("silence"), 10);
  for (int c = 0; c < 2; c++) {
    for (int i = 0; i < kSoundRowBytes; i++) {
      ASSERT_EQ(record->waveformData[c][i], 0);
      ASSERT_EQ(record->spectrumData[c][i], 0);
    }
  }
}

TEST(AudioFeed, MusicMovesAndRepeatsExactly) {
  const auto first = FilledRecord(BuiltinFeed("music"), 30);
  const auto again = FilledRecord(BuiltinFeed("music"), 30);
  const auto later = FilledRecord(BuiltinFeed("music"), 45);
  EXPECT_EQ(std::memcmp(first->waveformData, again->waveformData, sizeof first->waveformData), 0);
  EXPECT_EQ(std::memcmp(first->spectrumData, again->spectrumData, sizeof first->spectrumData), 0);
  EXPECT_NE(std::memcmp(first->waveformData, later->waveformData, sizeof first->waveformData), 0);
  EXPECT_NE(std::memcmp(first->spectrumData, later->spectrumData, sizeof first->spectrumData), 0);
}

TEST(AudioFeed, MusicIsNeitherSilentNorClipped) {
  const AudioFeed music = BuiltinFeed("music");
  int loudest = 0;
  int quietest = 255;
  for (int frame = 0; frame < 8 * 60; frame += 7) {
    const auto record = FilledRecord(music, frame);
    int peak = 0;
    for (int i = 0; i < kSoundRowBytes; i++) {
      const int sample = record->waveformData[0][i];
      peak = std::max(peak, sample < 0 ? -sample : sample);
    }
    loudest = std::max(loudest, peak);
    quietest = std::min(quietest, peak);
  }
  EXPECT_GT(loudest, 40);
  EXPECT_LT(loudest, 128);
  EXPECT_LT(quietest, loudest / 2);
}

TEST(AudioFeed, UnknownNameIsRefused) {
  AudioFeed feed;
  EXPECT_FALSE(MakeBuiltinFeed("noise", &feed));
}

TEST(AudioFeed, ClipPlaysAtTheFrameRateAndStopsAtItsEnd) {
  AudioFeed feed;
  feed.kind = FeedKind::Clip;
  feed.clip.sampleRate = 600;
  feed.clip.channels = 1;
  for (int i = 0; i < 1000; i++) feed.clip.samples.push_back(static_cast<int16_t>(i * 32));
  auto record = std::make_unique<winampVisModule>();
  feed.Fill(2, 60, *record);  // 2 frames at 60 fps = 20 samples at 600 Hz
  EXPECT_EQ(record->nCh, 1);
  EXPECT_EQ(record->waveformData[0][0], (20 * 32) >> 8);
  EXPECT_EQ(record->waveformData[1][5], (25 * 32) >> 8);
  feed.Fill(99, 60, *record);  // starts at sample 990
  EXPECT_EQ(record->waveformData[0][9], (999 * 32) >> 8);
  EXPECT_EQ(record->waveformData[0][10], 0);
}

}  // namespace
