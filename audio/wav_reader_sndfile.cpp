// WAV files through libsndfile, for the zorva tool on Linux. It takes what
// the player takes: 16-bit PCM, mono or stereo.

#include <sndfile.h>

#include "audio/wav_reader.h"

namespace {

struct SoundFile {
  SF_INFO info = {};  // before `file`: sf_open fills it
  SNDFILE* file;
  explicit SoundFile(const std::string& path) : file(sf_open(path.c_str(), SFM_READ, &info)) {}
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
  SoundFile wav(path);
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
