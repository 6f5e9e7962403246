// zorva code TEXT [--statement pixel|p|r|g|b|h|s|l]: builds an expression the
// way the plug-in does and prints the machine code of one statement's row
// routine as hex pairs.
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/commands.h"
#include "codegen/statement.h"
#include "lang/error_record.h"
#include "lang/statement_roles.h"

namespace zorva {
namespace {

constexpr char kUsage[] = "usage: zorva code TEXT [--statement pixel|p|r|g|b|h|s|l]\n";

// The statement that `name` asks for, or null when the expression has none.
const Statement* Choose(const GlyxStatements<Statement>& glyx, const char* name) {
  if (std::strcmp(name, "pixel") == 0) return glyx.pixel.get();
  if (std::strcmp(name, "p") == 0) return glyx.palette.get();
  const char* letter = name[0] != '\0' && name[1] == '\0' ? std::strchr(kChannelLetters, name[0]) : nullptr;
  if (letter == nullptr || glyx.palette) return nullptr;
  const int position = static_cast<int>(letter - kChannelLetters);
  if ((position >= 3) != glyx.hslMode) return nullptr;
  return glyx.channels[position % 3].get();
}

}  // namespace

int CodeCommand(int argc, char** args) {
  const char* which = "pixel";
  if (argc == 3 && std::strcmp(args[1], "--statement") == 0) {
    which = args[2];
  } else if (argc != 1) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  ErrorRecord errors;
  GlyxStatements<Statement> glyx;
  if (!glyx.CreateFromText(args[0], errors)) {
    std::fprintf(stderr, "%s\n", MessageOf(errors));
    return 1;
  }
  const Statement* statement = Choose(glyx, which);
  if (statement == nullptr) {
    std::fprintf(stderr, "zorva code: the expression has no statement \"%s\"\n", which);
    return 1;
  }
  const CodeBuffer& code = *statement->compiled->code;
  for (uint32_t i = 0; i < code.size; ++i) std::printf(i == 0 ? "%02x" : " %02x", code.base[i]);
  std::printf("\n");
  return 0;
}

}  // namespace zorva
