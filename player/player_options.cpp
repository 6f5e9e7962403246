#include "player/player_options.h"

#include <cstdlib>
#include <cstring>

const char* const kPlayerUsage =
    "usage: zorva-player [--plugin DLL] [--module N] [--config]\n"
    "                    [--audio music|ramp|silence | --wav FILE]\n"
    "                    [--frames N] [--fps N] [--script FILE] [--log FILE] [--bench]\n"
    "                    [--render-thread]\n";

static bool ParseNumber(const char* text, int* value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0') return false;
  *value = static_cast<int>(number);
  return true;
}

static bool TakeValue(int argc, char** argv, int* i, std::string* value, std::string* error) {
  if (*i + 1 >= argc) {
    *error = std::string(argv[*i]) + " needs a value";
    return false;
  }
  *value = argv[++*i];
  return true;
}

static bool TakeNumber(int argc, char** argv, int* i, int* value, std::string* error) {
  std::string text;
  if (!TakeValue(argc, argv, i, &text, error)) return false;
  if (!ParseNumber(text.c_str(), value)) {
    *error = std::string(argv[*i - 1]) + " needs a number, not '" + text + "'";
    return false;
  }
  return true;
}

static bool CheckRanges(const PlayerOptions& options, std::string* error) {
  if (options.fps < 1) *error = "--fps must be at least 1";
  else if (options.frames < -1) *error = "--frames must not be negative";
  else if (options.audio != "music" && options.audio != "ramp" && options.audio != "silence")
    *error = "--audio must be music, ramp or silence";
  return error->empty();
}

bool ParsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error) {
  for (int i = 1; i < argc; i++) {
    const std::string name = argv[i];
    bool ok = true;
    if (name == "--plugin") ok = TakeValue(argc, argv, &i, &options->plugin, error);
    else if (name == "--module") ok = TakeNumber(argc, argv, &i, &options->module, error);
    else if (name == "--config") options->config = true;
    else if (name == "--bench") options->bench = true;
    else if (name == "--render-thread") options->renderThread = true;
    else if (name == "--wav") ok = TakeValue(argc, argv, &i, &options->wav, error);
    else if (name == "--audio") ok = TakeValue(argc, argv, &i, &options->audio, error);
    else if (name == "--frames") ok = TakeNumber(argc, argv, &i, &options->frames, error);
    else if (name == "--fps") ok = TakeNumber(argc, argv, &i, &options->fps, error);
    else if (name == "--script") ok = TakeValue(argc, argv, &i, &options->script, error);
    else if (name == "--log") ok = TakeValue(argc, argv, &i, &options->log, error);
    else {
      *error = "unknown option '" + name + "'";
      ok = false;
    }
    if (!ok) return false;
  }
  return CheckRanges(*options, error);
}
