// zorva check TEXT|-: builds an expression the way the plug-in does, then
// prints its text form, or the message the plug-in would show. It compiles
// too, so the text shows the compiler's rewrites ("t+x*0" reads "t+0").
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "codegen/statement.h"
#include "lang/error_record.h"
#include "lang/statement_roles.h"

namespace zorva {
namespace {

int Check(CommandLine& line) {
  const std::string text = line.Text(0);
  ErrorRecord errors;
  GlyxStatements<Statement> glyx;
  if (!glyx.CreateFromText(text.c_str(), errors)) return BuildError(MessageOf(errors));
  std::printf("%s\n", glyx.Text("; ").c_str());
  return 0;
}

}  // namespace

const Command kCheckCommand = {
    "check", "TEXT|-", "parse an expression and print it back, or its error",
    "Prints the text form of every statement, separated by \"; \", with the\n"
    "statements the text leaves out; a text that does not build prints the\n"
    "plug-in's message on standard error and exits 1.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {}, 1, Check,
};

}  // namespace zorva
