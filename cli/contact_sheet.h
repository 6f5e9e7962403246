#ifndef ZORVA_CLI_CONTACT_SHEET_H
#define ZORVA_CLI_CONTACT_SHEET_H

#include <string>
#include <vector>

#include "frame/frame.h"

namespace zorva {

// Frames side by side at half size, `columns` cells a row, each with its
// number (from 0) in its top-left corner; written as a PNG file. False when it
// cannot be written.
bool WriteContactSheet(const std::string& path, const std::vector<const Frame*>& cells, int columns);

}  // namespace zorva

#endif
