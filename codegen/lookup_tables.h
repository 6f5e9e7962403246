#ifndef ZORVA_CODEGEN_LOOKUP_TABLES_H
#define ZORVA_CODEGEN_LOOKUP_TABLES_H

#include <cstdint>

// The constant tables that the built-in functions read, 256 entries each.
// Compiled code embeds the addresses of sineTable and cosineTable.
// lookup_tables.cpp is written by codegen/tools/generate_lookup_tables.
constexpr int kLookupEntries = 256;

extern const uint8_t sineTable[kLookupEntries];
extern const uint8_t cosineTable[kLookupEntries];
extern const uint8_t arcsineTable[kLookupEntries];
extern const uint8_t arccosineTable[kLookupEntries];
extern const uint8_t arctangentTable[kLookupEntries];
extern const uint8_t dampedSineTable[kLookupEntries];
extern const uint8_t decayTable[kLookupEntries];
extern const uint32_t exponentialTable[kLookupEntries];

#endif
