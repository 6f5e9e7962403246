#ifndef ZORVA_CLI_COMMAND_LINE_H
#define ZORVA_CLI_COMMAND_LINE_H

// How every zorva subcommand reads its arguments, so that all of them follow
// one convention:
//   - options may come before or after the operands;
//   - "--" ends the options before the operands: the command's operands that
//     follow it are taken as they are, so that a TEXT may start with "-"
//     ("zorva render -- -x -o a.png"); options may follow them;
//   - a word starting with "-" and a digit is an operand (a negative number);
//   - an option's value is the next word, whatever it looks like;
//   - an expression operand (TEXT) is one word, or "-" for standard input;
//   - "--help" prints the command's usage and details on standard output;
//   - usage errors print the error and the usage on standard error, exit 2.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zorva {

class CommandLine;

struct OptionSpec {
  const char* name;  // "--frames", "-o"
  bool takesValue;
};

struct Command {
  const char* name;
  const char* synopsis;  // the arguments after the name: "TEXT|- [--frames N]"
  const char* summary;   // one line for "zorva --help"
  const char* details;   // more lines for "zorva NAME --help"
  std::vector<OptionSpec> options;
  int operands;  // how many words that are not options it takes
  int (*run)(CommandLine& line);
};

// The one reader of whole numbers: decimal, nothing before or after, from
// low to high.
bool ParseNumber(const std::string& text, int32_t low, int32_t high, int32_t* value);

class CommandLine {
 public:
  explicit CommandLine(const Command& command) : command(command) {}

  // Reads the words after the command's name; false with `error` set when
  // they do not fit the command.
  bool Parse(int argc, char** argv);

  bool Has(const char* option) const { return values.count(option) != 0; }
  std::string Value(const char* option, const std::string& fallback) const;

  // An option's number, `fallback` when the option is absent. A value that is
  // not a number from low to high sets `error`.
  int32_t Number(const char* option, int32_t fallback, int32_t low, int32_t high);
  // The same for an operand.
  int32_t NumberOperand(size_t index, int32_t low, int32_t high);

  // An expression operand: the word itself, or all of standard input for "-".
  std::string Text(size_t index) const;

  // Prints `error` (or `message` when given) and the usage on standard error;
  // returns the exit code of a usage error, 2.
  int UsageError(const std::string& message = "") const;
  // Prints the usage and details on standard output; returns 0.
  int PrintHelp() const;

  const Command& command;
  bool helpAsked = false;
  std::string error;  // the first usage error, or empty
  std::vector<std::string> operands;

 private:
  const OptionSpec* FindOption(const std::string& name) const;
  bool TakeOption(const std::string& word, int* index, int argc, char** argv);

  std::map<std::string, std::string> values;
};

// Builds "usage: zorva NAME SYNOPSIS".
std::string UsageLine(const Command& command);

// An expression that did not build: the plug-in's message on standard error,
// and the exit code of a build error, 1.
int BuildError(const char* message);

}  // namespace zorva

#endif
