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

#endif
