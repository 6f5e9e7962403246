#ifndef ZORVA_CODEGEN_SOUND_FRAME_H
#define ZORVA_CODEGEN_SOUND_FRAME_H

#include <cstdint>

// The music of the current frame, as the built-ins snd, sndl, sndr, fft and vol
// read it. Compiled code embeds the addresses of these arrays, so they are
// static and never move.
//
// soundWaveform: 256 interleaved left/right pairs, each byte the host's signed
// sample + 128 (silence is 128). soundSpectrum: 256 bytes of the left channel.
constexpr int kWaveformBytes = 512;
constexpr int kSpectrumBytes = 256;

extern uint8_t soundWaveform[kWaveformBytes];
extern uint8_t soundSpectrum[kSpectrumBytes];

// One channel row of the player's sound data: 576 samples or spectrum bytes.
constexpr int kPlayerRowSamples = 576;

// Copies the player's sound of this frame into the arrays above: every second
// sample of the first 512 of each waveform row, and the first row's first 256
// spectrum bytes. With other than two channels both halves of a pair come
// from the first row.
void CopySoundFrame(const int8_t (&waveform)[2][kPlayerRowSamples], int channels,
                    const uint8_t (&spectrum)[kPlayerRowSamples]);

#endif
