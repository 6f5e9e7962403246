#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The zorva tool run as a program, as users and scripts run it.
struct ZorvaRun {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs "zorva ARGS" through the shell (ARGS quoted as on a command line), with
// `input` on standard input.
ZorvaRun RunZorva(const std::string& args, const std::string& input = "");

// A file in the temporary folder that no other test run uses.
std::string TempFilePath(const std::string& name);

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

std::vector<std::string> Lines(const std::string& text);

// A PNG file decoded as RGB; empty when it cannot be read.
struct Png {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  std::vector<int> Pixel(int x, int y) const { return {&rgb[3 * (y * width + x)], &rgb[3 * (y * width + x) + 3]}; }
};

Png ReadPng(const std::string& path);

// A stereo WAV file at 44.1 kHz of the given libsndfile sample format
// (SF_FORMAT_PCM_16, ...), the samples left and right in turn.
void WriteWavFile(const std::string& path, int format, const std::vector<int16_t>& samples);
