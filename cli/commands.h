#ifndef ZORVA_CLI_COMMANDS_H
#define ZORVA_CLI_COMMANDS_H

// Each subcommand receives the arguments after its own name and returns the
// process exit code.
struct Command {
  const char* name;
  const char* usage;
  const char* summary;
  int (*run)(int argc, char** argv);
};

namespace zorva {

// zorva check TEXT|-
int CheckCommand(int argc, char** argv);

// zorva code TEXT [--statement pixel|p|r|g|b|h|s|l]
int CodeCommand(int argc, char** argv);

// zorva render TEXT [--frames N] [--step S] [--xm N] [--ym N]
//   [--audio silence|ramp|music] [--wav FILE] -o OUT
int RenderCommand(int argc, char** argv);

}  // namespace zorva

// zorva table NAME
int TableCommand(int argc, char** argv);

// zorva palette K
int PaletteCommand(int argc, char** argv);

// zorva palettes -o FILE.png
int PalettesCommand(int argc, char** argv);

#endif
