// Prints codegen/lookup_tables.cpp: the built-ins' lookup tables as constant data.
//   generate_lookup_tables > codegen/lookup_tables.cpp
#include <cinttypes>
#include <cstdio>

#include "codegen/tools/lookup_rules.h"

namespace {

template <typename Entry>
void PrintTable(const char* type, const char* name, const Entry* entries) {
  std::printf("\nconst %s %s[kLookupEntries] = {", type, name);
  for (int i = 0; i < kLookupEntries; i++) {
    std::printf(i % 12 == 0 ? "\n    " : " ");
    std::printf("%" PRIu32 ",", static_cast<uint32_t>(entries[i]));
  }
  std::printf("\n};\n");
}

}  // namespace

int main() {
  LookupTables t = ComputeLookupTables();
  std::printf("// Written by codegen/tools/generate_lookup_tables; do not edit.\n");
  std::printf("#include \"codegen/lookup_tables.h\"\n");
  PrintTable("uint8_t", "sineTable", t.sine);
  PrintTable("uint8_t", "cosineTable", t.cosine);
  PrintTable("uint8_t", "arcsineTable", t.arcsine);
  PrintTable("uint8_t", "arccosineTable", t.arccosine);
  PrintTable("uint8_t", "arctangentTable", t.arctangent);
  PrintTable("uint8_t", "dampedSineTable", t.dampedSine);
  PrintTable("uint8_t", "decayTable", t.decay);
  PrintTable("uint32_t", "exponentialTable", t.exponential);
  return 0;
}
