// WAV files through libsndfile, for the zorva tool on Linux. It takes what
// the player takes: 16-bit PCM, mono or stereo.

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "audio/wav_reader.h"

namespace {

// Opened here rather than by libsndfile, so that a file that cannot be read
// says the system's reason.
struct SoundFile {
  SF_INFO info = {};  // before `file`: sf_open_fd fills it
  SNDFILE* file;
  explicit SoundFile(int descriptor) : file(sf_open_fd(descriptor, SFM_READ, &info, SF_TRUE)) {}
  ~SoundFile() {
    if (file != nullptr) sf_close(file);
  }
};

bool IsPcm16Wav(const SF_INFO& info) {
  return (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16 &&
         (info.channels == 1 || info.channels == 2) && info.samplerate > 0;
}

}  // namespace

bool ReadWavFile(const std::string& path, PcmClip* clip, std::string* error) {
  const int descriptor = open(path.c_str(), O_RDONLY);
  if (descriptor < 0) {
    *error = path + ": " + std::strerror(errno);
    return false;
  }
  // A folder opens like a file; libsndfile would only say it is no sound.
  struct stat status;
  if (fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
    close(descriptor);
    *error = path + ": " + std::strerror(EISDIR);
    return false;
  }
  SoundFile wav(descriptor);
  if (wav.file == nullptr) {
    *error = path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (!IsPcm16Wav(wav.info)) {
    *error = path + ": not 16-bit PCM mono or stereo";
    return false;
  }
  clip->samples.resize(static_cast<size_t>(wav.info.frames) * wav.info.channels);
  if (sf_readf_short(wav.file, clip->samples.data(), wav.info.frames) != wav.info.frames) {
    *error = path + ": data shorter than it says";
    return false;
  }
  clip->sampleRate = wav.info.samplerate;
  clip->channels = wav.info.channels;
  clip->loops = false;
  return true;
}
