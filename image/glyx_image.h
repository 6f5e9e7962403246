// One expression (one glyx) in executable form: its compiled statements, the
// 256 colours they make, and the image its pixel statement renders into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codegen/statement.h"
#include "image/pixel_image.h"
#include "lang/error_record.h"
#include "lang/statement_roles.h"
#include "lang/text_form.h"

namespace zorva {

class GlyxImage {
 public:
  GlyxImage() = default;
  GlyxImage(const GlyxImage&) = delete;
  GlyxImage& operator=(const GlyxImage&) = delete;

  // Builds every statement of a NUL-terminated text and fills the gaps with
  // the default statements. False with the text's first message in `errors`;
  // the object then holds no statement.
  bool CreateFromText(const char* text, ErrorRecord& errors);

  // Sizes the image for a width x height area evaluated every pixelStep
  // points and restarts t at 0. False when the image memory can't be had.
  bool Resize(int32_t width, int32_t height, int32_t pixelStep, int32_t period);

  // One frame: the three palette passes, the 256 colours, the pixel pass;
  // then t advances. Always true: a frame is shown even when a pass ended
  // early, which `lastFrameWhole` tells.
  bool Render(int32_t xm, int32_t ym);

  // The palette statement or the three channel statements, each followed by
  // `separator`, then the pixel statement; never writes past `capacity`.
  BoundedText ExpressionText(char* buffer, size_t capacity, const char* separator) const;

  // The same text whole, however long (for the input window and the clipboard).
  std::string ExpressionString(const char* separator) const { return statements.Text(separator); }

  // Mutates the palette statement, or else each channel statement in slot
  // order, then the pixel statement; each one is compiled anew.
  void Mutate(int32_t mode);

  // Deletes all statements.
  void Clear() { statements.Clear(); }

  // pixel, palette, channels[3] and hslMode.
  GlyxStatements<Statement> statements;
  PixelImage image;
  PixelImage sourceImage;  // never loaded: [a,b] and pal(0, ...) read it empty
  int32_t width = 0;       // X and Y of the pixel pass: multiples of pixelStep
  int32_t height = 0;
  int32_t frame = 0;  // t
  int32_t period = 1;  // T
  int32_t pixelStep = 1;
  // False when a pass of the last frame ended early: a fault in its generated
  // code, or a statement that a failed compile left without code.
  bool lastFrameWhole = true;
};

}  // namespace zorva
