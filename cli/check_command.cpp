// zorva check TEXT: builds an expression from TEXT (or standard input for
// "-") the way the plug-in does, then prints its text form, or the message
// the plug-in would show. It compiles too, so the text shows the compiler's
// rewrites ("t+x*0" reads "t+0").
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "lang/error_record.h"
#include "codegen/statement.h"
#include "lang/statement_roles.h"

namespace zorva {
namespace {

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// args: what follows "check" on the command line.
int CheckCommand(int argc, char** args) {
  if (argc != 1) {
    std::fputs("usage: zorva check TEXT   (TEXT \"-\" reads standard input)\n", stderr);
    return 2;
  }
  const std::string text = std::string(args[0]) == "-" ? ReadAll(std::cin) : std::string(args[0]);
  ErrorRecord errors;
  GlyxStatements<Statement> glyx;
  if (!glyx.CreateFromText(text.c_str(), errors)) {
    std::fprintf(stderr, "%s\n", MessageOf(errors));
    return 1;
  }
  std::printf("%s\n", glyx.Text("; ").c_str());
  return 0;
}

}  // namespace zorva
