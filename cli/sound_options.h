#ifndef ZORVA_CLI_SOUND_OPTIONS_H
#define ZORVA_CLI_SOUND_OPTIONS_H

#include "audio/audio_feed.h"
#include "cli/command_line.h"

namespace zorva {

// The sound that --audio silence|ramp|music or --wav FILE choose, the
// built-in `fallback` when neither is given. False after saying why, with
// the exit code in *exitCode: 2 for an unknown feed, 1 for a WAV file that
// cannot be read.
bool LoadSound(CommandLine& line, const char* fallback, AudioFeed* feed, int* exitCode);

}  // namespace zorva

#endif
