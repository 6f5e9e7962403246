#include "tests/cli/zorva_process.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

// Test runs of other builds share the temporary folder: the process id keeps
// their files apart.
std::string TempFilePath(const std::string& name) {
  return ::testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

ZorvaRun RunZorva(const std::string& args, const std::string& input) {
  const std::string in = TempFilePath("zorva_in"), out = TempFilePath("zorva_out"), err = TempFilePath("zorva_err");
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = std::string(ZORVA_CLI) + " " + args + " <" + in + " >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Png ReadPng(const std::string& path) {
  Png png;
  int channels = 0;
  if (unsigned char* rgb = stbi_load(path.c_str(), &png.width, &png.height, &channels, 3)) {
    png.rgb.assign(rgb, rgb + 3 * png.width * png.height);
    stbi_image_free(rgb);
  }
  return png;
}

void WriteWavFile(const std::string& path, int format, const std::vector<int16_t>& samples) {
  SF_INFO info = {};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
  sf_close(file);
}
