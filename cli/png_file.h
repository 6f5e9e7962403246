#ifndef ZORVA_CLI_PNG_FILE_H
#define ZORVA_CLI_PNG_FILE_H

#include <cstdint>

// Writes an 8-bit RGB picture (rows from the top) as a PNG file; false with
// errno saying why.
bool WritePngFile(const char* path, int width, int height, const uint8_t* rgb);

#endif
