#include "tests/cli/zorva_process.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

ZorvaRun RunZorva(const std::string& args, const std::string& input) {
  // Test runs of other builds share the temporary folder: the process id
  // keeps their files apart.
  const std::string dir = ::testing::TempDir() + std::to_string(getpid()) + "_";
  const std::string in = dir + "zorva_in", out = dir + "zorva_out", err = dir + "zorva_err";
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
