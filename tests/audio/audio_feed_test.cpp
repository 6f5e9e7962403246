// The ramp feed, as the built-ins read it, is held by zorva render's tests.
#include "audio/audio_feed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<SoundRows> FilledRows(const AudioFeed& feed, int frame) {
  auto rows = std::make_unique<SoundRows>();
  std::memset(rows->waveform, 0x55, sizeof rows->waveform);
  std::memset(rows->spectrum, 0x55, sizeof rows->spectrum);
  feed.Fill(frame, 60, *rows);
  return rows;
}

TEST(AudioFeed, MusicRepeatsExactlyWithinItsLimitsAndClipsPlayAtTheFrameRateToTheirEnd) {
  AudioFeed music;
  ASSERT_TRUE(MakeBuiltinFeed("music", &music));
  const auto first = FilledRows(music, 30);
  const auto later = FilledRows(music, 45);
  const auto again = FilledRows(music, 30);
  EXPECT_EQ(std::memcmp(first.get(), again.get(), sizeof *first), 0);
  EXPECT_NE(std::memcmp(first->waveform, later->waveform, sizeof first->waveform), 0);
  EXPECT_NE(std::memcmp(first->spectrum, later->spectrum, sizeof first->spectrum), 0);
  int loudest = 0;
  int quietest = 255;
  for (int frame = 0; frame < 8 * 60; frame += 7) {
    const auto rows = FilledRows(music, frame);
    int peak = 0;
    for (int i = 0; i < kSoundRowSamples; i++) {
      const int sample = rows->waveform[0][i];
      peak = std::max(peak, sample < 0 ? -sample : sample);
    }
    loudest = std::max(loudest, peak);
    quietest = std::min(quietest, peak);
  }
  EXPECT_GT(loudest, 40);
  EXPECT_LT(loudest, 128);
  EXPECT_LT(quietest, loudest / 2);
  // A clip plays at the frame rate and stops at its end.
  AudioFeed feed;
  feed.kind = FeedKind::Clip;
  feed.clip.sampleRate = 600;
  feed.clip.channels = 1;
  for (int i = 0; i < 1000; i++) feed.clip.samples.push_back(static_cast<int16_t>(i * 32));
  auto rows = std::make_unique<SoundRows>();
  feed.Fill(2, 60, *rows);  // 2 frames at 60 fps = 20 samples at 600 Hz
  EXPECT_EQ(rows->channels, 1);
  EXPECT_EQ(rows->waveform[0][0], (20 * 32) >> 8);
  EXPECT_EQ(rows->waveform[1][5], (25 * 32) >> 8);
  feed.Fill(99, 60, *rows);  // starts at sample 990
  EXPECT_EQ(rows->waveform[0][9], (999 * 32) >> 8);
  EXPECT_EQ(rows->waveform[0][10], 0);
}

}  // namespace
