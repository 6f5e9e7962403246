#include "codegen/sound_frame.h"

uint8_t soundWaveform[kWaveformBytes];
uint8_t soundSpectrum[kSpectrumBytes];
