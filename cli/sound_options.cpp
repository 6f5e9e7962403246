#include "cli/sound_options.h"

#include <string>

#include "audio/wav_reader.h"
#include "cli/picture_output.h"

namespace zorva {

bool LoadSound(CommandLine& line, const char* fallback, AudioFeed* feed, int* exitCode) {
  if (line.Has("--wav")) {
    feed->kind = FeedKind::Clip;
    std::string error;
    if (ReadWavFile(line.Value("--wav", ""), &feed->clip, &error)) return true;
    *exitCode = CannotRead(line, error);
    return false;
  }
  const std::string name = line.Value("--audio", fallback);
  if (MakeBuiltinFeed(name, feed)) return true;
  *exitCode = line.UsageError("unknown audio feed '" + name + "' (silence, ramp or music)");
  return false;
}

}  // namespace zorva
