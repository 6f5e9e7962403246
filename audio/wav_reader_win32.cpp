// WAV files through the platform's multimedia file API.

#include <windows.h>
#include <mmsystem.h>

#include "audio/wav_reader.h"

namespace {

struct MmioFile {
  HMMIO file;
  explicit MmioFile(const std::string& path)
      : file(mmioOpenA(const_cast<char*>(path.c_str()), nullptr, MMIO_READ | MMIO_ALLOCBUF)) {}
  ~MmioFile() { if (file != nullptr) mmioClose(file, 0); }
};

bool ReadFormat(HMMIO file, const MMCKINFO& riff, PCMWAVEFORMAT* format, std::string* error) {
  MMCKINFO chunk = {};
  chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      chunk.cksize < sizeof *format ||
      mmioRead(file, reinterpret_cast<HPSTR>(format), sizeof *format) != sizeof *format) {
    *error = "no format chunk";
    return false;
  }
  mmioAscend(file, &chunk, 0);
  if (format->wf.wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 16 ||
      (format->wf.nChannels != 1 && format->wf.nChannels != 2) || format->wf.nSamplesPerSec == 0) {
    *error = "not 16-bit PCM mono or stereo";
    return false;
  }
  return true;
}

bool ReadSamples(HMMIO file, const MMCKINFO& riff, PcmClip* clip, std::string* error) {
  MMCKINFO chunk = {};
  chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
    *error = "no data chunk";
    return false;
  }
  clip->samples.resize(chunk.cksize / sizeof(int16_t));
  const LONG bytes = static_cast<LONG>(clip->samples.size() * sizeof(int16_t));
  if (mmioRead(file, reinterpret_cast<HPSTR>(clip->samples.data()), bytes) != bytes) {
    *error = "data chunk shorter than it says";
    return false;
  }
  return true;
}

}  // namespace

bool ReadWavFile(const std::string& path, PcmClip* clip, std::string* error) {
  MmioFile wav(path);
  if (wav.file == nullptr) {
    *error = "cannot open " + path;
    return false;
  }
  MMCKINFO riff = {};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  PCMWAVEFORMAT format = {};
  if (mmioDescend(wav.file, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) {
    *error = "not a WAVE file";
  } else if (ReadFormat(wav.file, riff, &format, error) && ReadSamples(wav.file, riff, clip, error)) {
    clip->sampleRate = static_cast<int>(format.wf.nSamplesPerSec);
    clip->channels = format.wf.nChannels;
    clip->loops = false;
    return true;
  }
  *error = path + ": " + *error;
  return false;
}
