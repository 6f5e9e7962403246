#include "cli/command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>

namespace zorva {
namespace {

bool IsOptionWord(const std::string& word) {
  return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

}  // namespace

bool ParseNumber(const std::string& text, int32_t low, int32_t high, int32_t* value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || number < low || number > high) return false;
  *value = static_cast<int32_t>(number);
  return true;
}

std::string UsageLine(const Command& command) {
  return std::string("usage: zorva ") + command.name + " " + command.synopsis;
}

// A text can parse and still not build: the system may refuse executable
// memory, and an internal error has already said its own message.
int BuildError(const char* message) {
  std::fprintf(stderr, "%s\n", message != nullptr ? message : "the expression could not be compiled");
  return 1;
}

bool CommandLine::Parse(int argc, char** argv) {
  size_t operandsEnd = 0;  // words up to this operand count are operands whatever they look like
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (operands.size() < operandsEnd || !IsOptionWord(word)) {
      operands.push_back(word);
    } else if (word == "--") {
      operandsEnd = static_cast<size_t>(command.operands);
    } else if (word == "--help" || word == "-h") {
      helpAsked = true;
      return true;
    } else if (!TakeOption(word, &i, argc, argv)) {
      return false;
    }
  }
  if (operands.size() != static_cast<size_t>(command.operands)) {
    error = operands.size() < static_cast<size_t>(command.operands) ? "too few arguments" : "too many arguments";
    return false;
  }
  return true;
}

const OptionSpec* CommandLine::FindOption(const std::string& name) const {
  for (const OptionSpec& option : command.options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool CommandLine::TakeOption(const std::string& word, int* index, int argc, char** argv) {
  const OptionSpec* option = FindOption(word);
  if (option == nullptr) {
    error = "unknown option " + word + " (a TEXT that starts with - goes after --)";
    return false;
  }
  if (!option->takesValue) {
    values[word] = "";
    return true;
  }
  if (*index + 1 >= argc) {
    error = word + " needs a value";
    return false;
  }
  values[word] = argv[++*index];
  return true;
}

std::string CommandLine::Value(const char* option, const std::string& fallback) const {
  const auto found = values.find(option);
  return found != values.end() ? found->second : fallback;
}

int32_t CommandLine::Number(const char* option, int32_t fallback, int32_t low, int32_t high) {
  int32_t value = fallback;
  if (Has(option) && !ParseNumber(Value(option, ""), low, high, &value) && error.empty()) {
    error = std::string(option) + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  }
  return value;
}

int32_t CommandLine::NumberOperand(size_t index, int32_t low, int32_t high) {
  int32_t value = 0;
  if (!ParseNumber(operands[index], low, high, &value) && error.empty()) {
    error = "not a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ": " + operands[index];
  }
  return value;
}

std::string CommandLine::Text(size_t index) const {
  if (operands[index] != "-") return operands[index];
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

int CommandLine::UsageError(const std::string& message) const {
  const std::string& shown = message.empty() ? error : message;
  std::fprintf(stderr, "zorva %s: %s\n%s\n", command.name, shown.c_str(), UsageLine(command).c_str());
  return 2;
}

int CommandLine::PrintHelp() const {
  std::printf("%s\n%s\n%s", UsageLine(command).c_str(), command.summary, command.details);
  return 0;
}

}  // namespace zorva
