#ifndef ZORVA_AUDIO_WAV_READER_H
#define ZORVA_AUDIO_WAV_READER_H

#include <string>

#include "audio/pcm_clip.h"

// Reads a 16-bit PCM WAV file, mono or stereo. False with a message in
// *error for anything else.
bool ReadWavFile(const std::string& path, PcmClip* clip, std::string* error);

#endif
