#ifndef ZORVA_CODEGEN_TOOLS_LOOKUP_RULES_H
#define ZORVA_CODEGEN_TOOLS_LOOKUP_RULES_H

#include <cstdint>

#include "codegen/lookup_tables.h"

// The lookup tables computed from their defining formulas. The generator
// prints them as source; the tests compare the committed data with them.
struct LookupTables {
  uint8_t sine[kLookupEntries];
  uint8_t cosine[kLookupEntries];
  uint8_t arcsine[kLookupEntries];
  uint8_t arccosine[kLookupEntries];
  uint8_t arctangent[kLookupEntries];
  uint8_t dampedSine[kLookupEntries];
  uint8_t decay[kLookupEntries];
  uint32_t exponential[kLookupEntries];
};

LookupTables ComputeLookupTables();

// floor(v) for a value that a formula defines in exact arithmetic: a value
// within rounding error of an integer counts as that integer.
double ExactFloor(double v);

#endif
