#ifndef ZORVA_CLI_CONTACT_SHEET_H
#define ZORVA_CLI_CONTACT_SHEET_H

#include <vector>

#include "frame/frame.h"
#include "image/rgb_picture.h"

namespace zorva {

// Frames side by side at half size, `columns` cells a row, each with its
// number (from 0) in its top-left corner.
RgbPicture ContactSheet(const std::vector<const Frame*>& cells, int columns);

}  // namespace zorva

#endif
