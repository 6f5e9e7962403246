// zorva table NAME: prints one of the built-ins' lookup tables, one decimal
// entry a line.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "codegen/lookup_tables.h"

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

}  // namespace

int TableCommand(int argc, char** argv) {
  const NamedTable* table = argc == 1 ? FindTable(argv[0]) : nullptr;
  if (table == nullptr) {
    std::fputs("usage: zorva table sine|cosine|arcsine|arccosine|arctangent|dsine|decay|exp\n",
               stderr);
    return 2;
  }
  for (int i = 0; i < kLookupEntries; i++) {
    uint32_t entry = table->bytes ? table->bytes[i] : table->words[i];
    std::printf("%lu\n", static_cast<unsigned long>(entry));
  }
  return 0;
}
