// zorva table NAME: prints one of the built-ins' lookup tables, one decimal
// entry a line.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "codegen/lookup_tables.h"

namespace zorva {
namespace {

struct NamedTable {
  const char* name;
  const uint8_t* bytes;     // or null for the one 32-bit table
  const uint32_t* words;
};

const NamedTable kTables[] = {
    {"sine", sineTable, nullptr},
    {"cosine", cosineTable, nullptr},
    {"arcsine", arcsineTable, nullptr},
    {"arccosine", arccosineTable, nullptr},
    {"arctangent", arctangentTable, nullptr},
    {"dsine", dampedSineTable, nullptr},
    {"decay", decayTable, nullptr},
    {"exp", nullptr, exponentialTable},
};

const NamedTable* FindTable(const char* name) {
  for (const NamedTable& t : kTables)
    if (std::strcmp(t.name, name) == 0) return &t;
  return nullptr;
}

int PrintTable(CommandLine& line) {
  const NamedTable* table = FindTable(line.operands[0].c_str());
  if (table == nullptr) return line.UsageError("no table named " + line.operands[0]);
  for (int i = 0; i < kLookupEntries; i++) {
    uint32_t entry = table->bytes ? table->bytes[i] : table->words[i];
    std::printf("%lu\n", static_cast<unsigned long>(entry));
  }
  return 0;
}

}  // namespace

const Command kTableCommand = {
    "table", "NAME", "print a lookup table: sine cosine arcsine arccosine arctangent dsine decay exp",
    "Prints the 256 entries of one of the built-ins' lookup tables, one decimal\n"
    "entry a line. NAME is sine, cosine, arcsine, arccosine, arctangent, dsine,\n"
    "decay or exp.\n",
    {}, 1, PrintTable,
};

}  // namespace zorva
