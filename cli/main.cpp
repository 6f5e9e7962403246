// zorva: the command-line face of the Zorva core, for people who write and
// breed expressions and for tests.

#include <cstdio>
#include <cstring>

#include "cli/commands.h"

static const Command kCommands[] = {
    {"check", "check TEXT|-", "parse an expression and print it back, or its error", zorva::CheckCommand},
    {"code", "code TEXT [--statement pixel|p|r|g|b|h|s|l]", "print the machine code of a statement's row routine", zorva::CodeCommand},
    {"render", "render TEXT [OPTIONS] -o OUT.raw|OUT.png|OUT.gif",
     "render frames; options --frames N --step S --xm N --ym N --audio silence|ramp|music --wav FILE",
     zorva::RenderCommand},
    {"table", "table NAME", "print a lookup table: sine cosine arcsine arccosine arctangent dsine decay exp", TableCommand},
    {"palette", "palette K", "print the 256 colours of pal(K, ...) as \"r g b\" lines", PaletteCommand},
    {"palettes", "palettes -o FILE.png", "draw the 28 palettes of pal as labelled strips", PalettesCommand},
    {nullptr, nullptr, nullptr, nullptr},
};

static void PrintHelp(FILE* out) {
  std::fprintf(out,
               "usage: zorva COMMAND [ARGS]\n"
               "       zorva --help | --version\n\n"
               "commands:\n");
  for (const Command* c = kCommands; c->name != nullptr; c++) {
    std::fprintf(out, "  %-48s %s\n", c->usage, c->summary);
  }
}

static const Command* FindCommand(const char* name) {
  for (const Command* c = kCommands; c->name != nullptr; c++) {
    if (std::strcmp(c->name, name) == 0) return c;
  }
  return nullptr;
}

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
  const Command* command = FindCommand(name);
  if (command == nullptr) {
    std::fprintf(stderr, "zorva: unknown command '%s' (see zorva --help)\n", name);
    return 2;
  }
  return command->run(argc - 2, argv + 2);
}
