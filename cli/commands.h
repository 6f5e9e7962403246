#ifndef ZORVA_CLI_COMMANDS_H
#define ZORVA_CLI_COMMANDS_H

#include "cli/command_line.h"

// The subcommands of zorva, one file each; main.cpp lists them.
namespace zorva {

extern const Command kCheckCommand;
extern const Command kCodeCommand;
extern const Command kRenderCommand;
extern const Command kMutateCommand;
extern const Command kEvolveCommand;
extern const Command kSheetCommand;
extern const Command kTableCommand;
extern const Command kPaletteCommand;
extern const Command kPalettesCommand;
extern const Command kBenchCommand;
extern const Command kLibraryListCommand;
extern const Command kLibraryAddCommand;
extern const Command kLibraryRemoveCommand;

}  // namespace zorva

#endif
