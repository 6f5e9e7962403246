// zorva code TEXT|- [--statement pixel|p|r|g|b|h|s|l]: builds an expression
// the way the plug-in does and prints the machine code of one statement's row
// routine as hex pairs.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "codegen/statement.h"
#include "lang/error_record.h"
#include "lang/statement_roles.h"

namespace zorva {
namespace {

// The statement that `name` asks for, or null when the expression has none.
const Statement* Choose(const GlyxStatements<Statement>& glyx, const std::string& name) {
  if (name == "pixel") return glyx.pixel.get();
  if (name == "p") return glyx.palette.get();
  const char* letter = name.size() == 1 ? std::strchr(kChannelLetters, name[0]) : nullptr;
  if (glyx.palette) return nullptr;
  const int position = static_cast<int>(letter - kChannelLetters);
  if ((position >= 3) != glyx.hslMode) return nullptr;
  return glyx.channels[position % 3].get();
}

bool IsStatementName(const std::string& name) {
  return name == "pixel" || name == "p" || (name.size() == 1 && std::strchr(kChannelLetters, name[0]) != nullptr);
}

int Code(CommandLine& line) {
  const std::string which = line.Value("--statement", "pixel");
  if (!IsStatementName(which)) return line.UsageError("--statement takes pixel, p, r, g, b, h, s or l");
  const std::string text = line.Text(0);
  ErrorRecord errors;
  GlyxStatements<Statement> glyx;
  if (!glyx.CreateFromText(text.c_str(), errors)) return BuildError(MessageOf(errors));
  const Statement* statement = Choose(glyx, which);
  if (statement == nullptr) {
    std::fprintf(stderr, "zorva code: the expression has no statement \"%s\"\n", which.c_str());
    return 1;
  }
  const CodeBuffer& code = *statement->compiled->code;
  for (uint32_t i = 0; i < code.size; ++i) std::printf(i == 0 ? "%02x" : " %02x", code.base[i]);
  std::printf("\n");
  return 0;
}

}  // namespace

const Command kCodeCommand = {
    "code", "TEXT|- [--statement pixel|p|r|g|b|h|s|l]", "print the machine code of a statement's row routine",
    "Prints the routine that renders one row, as hex bytes on one line.\n"
    "--statement picks the statement: pixel (the default), p for the palette,\n"
    "or one channel, r g b or h s l.\n"
    "TEXT is one argument, or - to read standard input whole; -- ends the options.\n",
    {{"--statement", true}}, 1, Code,
};

}  // namespace zorva
