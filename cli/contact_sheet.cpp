#include "cli/contact_sheet.h"

#include <string>

namespace zorva {
namespace {

constexpr int kCellSize = 128;  // a 256 x 256 frame at half size
constexpr uint8_t kBackground = 32;
constexpr uint8_t kLabelInk = 255;
constexpr int kLabelMargin = 2;

// Each cell pixel is the mean of a 2 x 2 block of the frame.
void DrawCell(RgbPicture& sheet, const Frame& frame, int left, int top) {
  const std::vector<uint8_t> colours = frame.Coloured();
  for (int y = 0; y < kCellSize && 2 * y + 1 < frame.height; ++y) {
    for (int x = 0; x < kCellSize && 2 * x + 1 < frame.width; ++x) {
      uint8_t mean[3];
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) sum += colours[3 * ((2 * y + dy) * frame.width + 2 * x + dx) + c];
        mean[c] = static_cast<uint8_t>((sum + 2) / 4);
      }
      SetPixel(sheet, left + x, top + y, mean[0], mean[1], mean[2]);
    }
  }
}

// White digits on a black patch, readable on any picture.
void DrawLabel(RgbPicture& sheet, int number, int left, int top) {
  const int digits = static_cast<int>(std::to_string(number).size());
  const int width = digits * kDigitAdvance - (kDigitAdvance - kDigitWidth) + 2 * kLabelMargin;
  for (int y = 0; y < kDigitHeight + 2 * kLabelMargin; ++y)
    for (int x = 0; x < width; ++x) SetPixel(sheet, left + x, top + y, 0, 0, 0);
  DrawNumber(sheet, number, left + kLabelMargin, top + kLabelMargin, kLabelInk);
}

}  // namespace

RgbPicture ContactSheet(const std::vector<const Frame*>& cells, int columns) {
  const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
  RgbPicture sheet{columns * kCellSize, rows * kCellSize, {}};
  sheet.rgb.assign(3 * static_cast<size_t>(sheet.width) * sheet.height, kBackground);
  for (size_t i = 0; i < cells.size(); ++i) {
    const int left = static_cast<int>(i) % columns * kCellSize;
    const int top = static_cast<int>(i) / columns * kCellSize;
    DrawCell(sheet, *cells[i], left, top);
    DrawLabel(sheet, static_cast<int>(i), left, top);
  }
  return sheet;
}

}  // namespace zorva
