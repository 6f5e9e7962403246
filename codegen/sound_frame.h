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

#endif
