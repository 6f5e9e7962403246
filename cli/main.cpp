// zorva: the command-line face of the Zorva core, for people who write and
// breed expressions and for tests.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

namespace {

using zorva::Command;

const Command* const kCommands[] = {
    &zorva::kCheckCommand,  &zorva::kCodeCommand,    &zorva::kRenderCommand,   &zorva::kMutateCommand,
    &zorva::kEvolveCommand, &zorva::kSheetCommand, &zorva::kTableCommand,   &zorva::kPaletteCommand,  &zorva::kPalettesCommand,
    &zorva::kBenchCommand,  &zorva::kLibraryListCommand, &zorva::kLibraryAddCommand, &zorva::kLibraryRemoveCommand,
};

// The first word of the commands named by two words.
constexpr char kCommandGroup[] = "library";

// The commands whose name starts with `prefix`, one a line.
void PrintCommands(FILE* out, const std::string& prefix) {
  for (const Command* c : kCommands) {
    if (std::string(c->name).rfind(prefix, 0) != 0) continue;
    const std::string usage = std::string(c->name) + " " + c->synopsis;
    std::fprintf(out, "  %-52s %s\n", usage.c_str(), c->summary);
  }
}

void PrintHelp(FILE* out) {
  std::fprintf(out,
               "usage: zorva COMMAND [ARGS]\n"
               "       zorva --help | --version | COMMAND --help\n\n"
               "commands:\n");
  PrintCommands(out, "");
}

// "zorva library" without a known subcommand: what it takes.
int PrintGroupUsage(const char* group, bool asked) {
  FILE* out = asked ? stdout : stderr;
  std::fprintf(out, "usage: zorva %s SUBCOMMAND [ARGS]\n\nsubcommands:\n", group);
  PrintCommands(out, std::string(group) + " ");
  return asked ? 0 : 2;
}

// A name of two words ("library add") takes the two first arguments; its
// second word is then the command's first operand.
const Command* FindCommand(int argc, char** argv) {
  const std::string twoWords = argc > 2 ? std::string(argv[1]) + " " + argv[2] : "";
  for (const Command* c : kCommands) {
    if (c->name == twoWords || std::strcmp(c->name, argv[1]) == 0) return c;
  }
  return nullptr;
}

int Run(const Command& command, int argc, char** argv) {
  zorva::CommandLine line(command);
  if (!line.Parse(argc, argv)) return line.UsageError();
  if (line.helpAsked) return line.PrintHelp();
  return command.run(line);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(stderr);
    return 2;
  }
  const char* name = argv[1];
  if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0) {
    PrintHelp(stdout);
    return 0;
  }
  if (std::strcmp(name, "--version") == 0) {
    std::printf("zorva 1.0\n");
    return 0;
  }
  const Command* command = FindCommand(argc, argv);
  if (command == nullptr && std::strcmp(name, kCommandGroup) == 0) {
    const bool asked = argc > 2 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0);
    return PrintGroupUsage(name, asked);
  }
  if (command == nullptr) {
    std::fprintf(stderr, "zorva: unknown command '%s' (see zorva --help)\n", name);
    return 2;
  }
  return Run(*command, argc - 2, argv + 2);
}
